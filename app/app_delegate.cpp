#include "app/app_delegate.h"

#include "platform/platform.h"
#include "ui/main_screen.h"
#include "screens/web/web_view_controller.h"

namespace kiro {

using namespace std::chrono_literals;

AppDelegate::AppDelegate(Application& application, std::filesystem::path documentsDirectory,
                         std::filesystem::path modelLocation, Log& log, Notices& notices)
    : application_(application), store_(std::move(documentsDirectory), std::move(modelLocation), log, notices) {}

bool AppDelegate::didFinishLaunchingWithOptions() {
  platform().runLoop.sleepFor(1ms);
  application_.setIdleTimerDisabled(true);
  window_ = std::make_shared<Window>(Rect{{0, 0}, mainScreen().bounds});
  window_->makeKeyAndVisible();
  remote_ = std::make_shared<cameraViewController>();
  remote_->setShotLogFolder(store_.applicationDocumentsDirectory() / "shots");
  auto navigation = std::make_shared<NavigationController>(remote_);
  navigator_ = std::make_shared<ScreenNavigator>(navigation);
  navigator_->setWebRemote(webRemote_);
  remote_->setNavigation(navigator_);
  window_->setRootViewController(std::move(navigation));
  return true;
}

void AppDelegate::setWebRemote(WebRemote* remote) {
  webRemote_ = remote;
  if (navigator_) navigator_->setWebRemote(remote);
  if (remote && WebViewController::remembered()) remote->setServing(true);
}

}  // namespace kiro
