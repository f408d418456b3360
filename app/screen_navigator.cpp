#include "app/screen_navigator.h"

#include "link/link_manager.h"
#include "platform/platform.h"
#include "screens/about/about_view.h"
#include "screens/devices/view_controller.h"
#include "screens/remote/camera_view_controller.h"
#include "screens/timer/night_view_controller.h"
#include "screens/timer/presets_view_controller.h"
#include "screens/timer/timer_view_controller.h"
#include "screens/web/web_view_controller.h"

namespace kiro {

using namespace std::chrono_literals;

void ScreenNavigator::jumpAbout(cameraViewController& from) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  singleton::defaultManager().setConnectionFlag(0);
  from.clearTime();
  auto list = std::make_shared<ViewController>();
  list->setNavigation(weak_from_this());
  navigation->pushViewController(std::move(list), true);
}

void ScreenNavigator::openTimer(cameraViewController& from) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  from.clearTime();
  const auto remote = std::static_pointer_cast<cameraViewController>(from.shared_from_this());
  const auto back = [weak = navigation_] {
    if (auto navigation = weak.lock()) navigation->popViewControllerAnimated(true);
  };
  auto timer = std::make_shared<TimerViewController>(
      [remote, back](const ShootingPlan& plan) -> Result<> {
        if (auto checked = checkPlan(plan); !checked.ok()) return checked;
        back();
        return remote->startTimedShooting(plan);
      },
      back,
      [weak = navigation_, back](TimerViewController& timer) {
        auto navigation = weak.lock();
        if (!navigation) return;
        const auto shown = std::static_pointer_cast<TimerViewController>(timer.shared_from_this());
        navigation->pushViewController(
            std::make_shared<PresetsViewController>([shown] { return shown->values().plan(); },
                                                    [shown, back](const ShootingPlan& plan) {
                                                      shown->take(plan);
                                                      back();
                                                    },
                                                    back),
            true);
      },
      [weak = navigation_, back](TimerViewController& timer) {
        if (auto navigation = weak.lock())
          navigation->pushViewController(
              std::make_shared<NightViewController>(
                  std::static_pointer_cast<TimerViewController>(timer.shared_from_this()), back),
              true);
      });
  navigation->pushViewController(std::move(timer), true);
}

void ScreenNavigator::jump2(cameraViewController& from) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  auto& manager = singleton::defaultManager();
  manager.setConnectionFlag(1);
  from.clearTime();
  auto about = std::make_shared<aboutView>();
  about->setNavigation(weak_from_this());
  auto list = std::make_shared<ViewController>();
  list->setNavigation(weak_from_this());
  auto remote = std::static_pointer_cast<cameraViewController>(from.shared_from_this());
  navigation->setViewControllers({about, list, remote}, false);
  manager.setMainView(remote);
  navigation->popToViewController(about, true);
}

void ScreenNavigator::jump3(ViewController& from) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  // Held by the delayed call, so it runs even when the list is gone by then.
  auto list = std::static_pointer_cast<ViewController>(from.shared_from_this());
  navigation->popViewControllerAnimated(true);
  singleton::defaultManager().setConnectionFlag(1);
  platform().runLoop.performAfterDelay(500ms, [list] { list->changeArr(); });
}

void ScreenNavigator::jump3(aboutView&) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  auto& manager = singleton::defaultManager();
  manager.setConnectionFlag(1);
  navigation->pushViewController(manager.mainView(), true);
}

void ScreenNavigator::openWeb(aboutView&) {
  auto navigation = navigation_.lock();
  if (!navigation) return;
  navigation->pushViewController(std::make_shared<WebViewController>(webRemote_,
                                                                     [weak = navigation_] {
                                                                       if (auto navigation = weak.lock())
                                                                         navigation->popViewControllerAnimated(true);
                                                                     }),
                                 true);
}

}  // namespace kiro
