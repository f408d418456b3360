#pragma once

#include <filesystem>
#include <optional>

#include "app/app_delegate.h"
#include "platform/log.h"
#include "platform/platform.h"
#include "platform/qt/launch/runtime.h"
#include "platform/user_defaults.h"
#include "script/command_line.h"
#include "ui/alert.h"
#include "ui/application.h"
#include "ui/asset_catalog.h"
#include "ui/main_screen.h"
#include "ui/ui_events.h"

namespace kiro {

// The app launched on a runtime: the process-wide services installed while it lives, the
// delegate launched with its window displayed, and the one watcher of its screens, which
// the window, the desktop and a script subscribe to.
class LaunchedApp {
 public:
  // data: the folder of the pictures and the data model. All must outlive it.
  LaunchedApp(const CommandLine& options, Runtime& runtime, UserDefaults& defaults, Log& log, Notices& notices,
              const std::filesystem::path& data);
  LaunchedApp(const LaunchedApp&) = delete;
  LaunchedApp& operator=(const LaunchedApp&) = delete;

  RunLoop& runLoop() { return platform_.runLoop; }
  Notices& notices() { return platform_.notices; }
  Application& application() { return application_; }
  AppDelegate& delegate() { return delegate_; }
  AlertQueue& alerts() { return alerts_; }
  UiEvents& ui() { return *ui_; }

 private:
  // The link manager holds the platform's parts: it must end before they go.
  struct LinkManagerEnd {
    ~LinkManagerEnd();
  };

  Platform platform_;
  PlatformScope platformScope_{platform_};
  WallClockScope wallClockScope_;
  SoundScope soundScope_;
  LinkManagerEnd linkManagerEnd_;
  MainScreen screen_;
  MainScreenScope screenScope_{screen_};
  AssetCatalog assets_;
  AssetCatalogScope assetScope_{assets_};
  AlertQueue alerts_;
  AlertQueueScope alertScope_{alerts_};
  Application application_;
  AppDelegate delegate_;
  std::optional<UiEvents> ui_;  // made once the delegate has launched
};

}  // namespace kiro
