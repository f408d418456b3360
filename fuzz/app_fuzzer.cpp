// The whole app on the virtual clock, driven by the input as a script: whatever the
// script says, the app neither crashes nor hangs, the label reads one of its three texts,
// and the frame never holds the release notice and focus at once.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/app_delegate.h"
#include "link/link_manager.h"
#include "screens/remote/camera_view_controller.h"
#include "script/script_session.h"
#include "tests/support/simulated_world.h"

using namespace kiro;

namespace {

// Enough virtual time for a scan, a connection and a few held shots; a script that asks
// for more is cut there, so one input cannot run for hours.
constexpr Millis kVirtualTimeLimit{120'000};

const std::filesystem::path& documents() {
  static const auto folder =
      std::filesystem::temp_directory_path() / ("kiro-app-fuzzer-" + std::to_string(getpid()));
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::filesystem::remove_all(documents());
  singleton::resetShared();
  {
    SimulatedWorld world;
    Application application;
    AppDelegate delegate(application, documents(), KIRO_MODEL_RESOURCE, world.log, world.notices);
    if (!delegate.didFinishLaunchingWithOptions()) __builtin_trap();
    delegate.window()->display();
    UiEvents ui(delegate.window()->rootViewController(), world.alerts);
    std::ostringstream events, errors;
    ScriptSession session(delegate, ui, &world.radio, events, errors);
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    Millis left = kVirtualTimeLimit;
    for (ScriptStep step = session.next(script); step.kind == ScriptStep::Kind::wait && left > Millis{0};
         step = session.next(script)) {
      const Millis slice = std::min(step.duration, left);
      world.loop.advance(slice);
      left -= slice;
      const auto& remote = *delegate.remote();
      const std::string& label = remote.testLabel()->text();
      if (label != "connected" && label != "connecting" && label != "disconnected") __builtin_trap();
      if (remote.byteArray()[CommandFrame::releaseNotice] && remote.byteArray()[CommandFrame::focus]) __builtin_trap();
    }
  }
  singleton::resetShared();
  std::filesystem::remove_all(documents());
  return 0;
}
