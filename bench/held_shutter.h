#pragma once

#include "app/app_delegate.h"
#include "link/link_manager.h"
#include "platform/platform.h"
#include "platform/qt/ports/system_log.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "ui/main_screen.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

// The app launched on the virtual clock against one simulated KIRO that answers every
// command, connected and idle: what the held-frame benchmarks press R on. The shared link
// manager is made afresh for it and gone before the platform it was made on.
class HeldShutter {
 public:
  explicit HeldShutter(bool verbose) : log_(verbose) {
    SimulatedReceiver::Options options;
    options.advertisedName = "Kiro-7";
    options.demoFeedback = true;
    receiver_ = radio_.addReceiver(std::move(options)).value();
    defaults_.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", receiver_->identifier().UUIDString()}});
    delegate_.didFinishLaunchingWithOptions();
    delegate_.window()->display();
    loop_.advance(std::chrono::seconds{2});
    receiver_->clearWrites();
  }
  ~HeldShutter() { singleton::resetShared(); }
  HeldShutter(const HeldShutter&) = delete;
  HeldShutter& operator=(const HeldShutter&) = delete;

  void pressR() { delegate_.remote()->writeButton2()->sendActions(ControlEvent::touchDown); }
  void advance(Millis duration) { loop_.advance(duration); }
  // Frames the receiver got since the app was connected.
  std::size_t frames() const { return receiver_->writes().size(); }

 private:
  struct FreshLinkManager {
    FreshLinkManager() { singleton::resetShared(); }
  };

  FreshLinkManager fresh_;
  VirtualRunLoop loop_;
  MemoryUserDefaults defaults_;
  SystemLog log_;
  StderrNotices notices_;
  SimulatedRadio radio_{loop_};
  Platform installed_{loop_, defaults_, log_, notices_, radio_.centralFactory()};
  PlatformScope scope_{installed_};
  const MainScreen screen_;
  MainScreenScope screenScope_{screen_};
  SimulatedReceiver* receiver_ = nullptr;
  Application application_;
  AppDelegate delegate_{application_, "/nonexistent", "/nonexistent/Tavrel.momd", log_, notices_};
};

}  // namespace kiro
