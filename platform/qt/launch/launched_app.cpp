#include "platform/qt/launch/launched_app.h"

#include "link/link_manager.h"
#include "platform/qt/launch/install_paths.h"

namespace kiro {

namespace {

MainScreen screenOf(const CommandLine& options) {
  const Size bounds{options.screenWidth, options.screenHeight};
  return {bounds, options.screenScale, Size{bounds.width * options.screenScale, bounds.height * options.screenScale}};
}

}  // namespace

LaunchedApp::LinkManagerEnd::~LinkManagerEnd() { singleton::resetShared(); }

LaunchedApp::LaunchedApp(const CommandLine& options, Runtime& runtime, UserDefaults& defaults, Log& log,
                         Notices& notices, const std::filesystem::path& data)
    : platform_{runtime.runLoop(), defaults, log, notices, runtime.centralFactory()},
      wallClockScope_(runtime.wallClock()),
      soundScope_(runtime.sound()),
      screen_(screenOf(options)),
      assets_(data / "assets"),
      delegate_(application_, documentsFolder(options.documents, notices), data / kModelResourceName, log, notices) {
  delegate_.didFinishLaunchingWithOptions();
  delegate_.window()->display();
  ui_.emplace(delegate_.window()->rootViewController(), alerts_);
}

}  // namespace kiro
