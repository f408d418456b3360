#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

#include "app/remote_control.h"
#include "base/channel.h"
#include "base/subscription.h"
#include "platform/qt/desktop/control_object.h"
#include "platform/qt/desktop/keep_awake.h"
#include "platform/qt/launch/launched_app.h"
#include "platform/qt/ports/settings_user_defaults.h"
#include "platform/qt/process/ending.h"
#include "script/session_reports.h"

namespace kiro {

// A run on real time among the desktop's programs: how it ends (a signal, the window
// closed, the app quit), the phone kept awake while a shot is under way, and the control
// other programs use on the session bus, told of each change the screens show.
class Desktop {
 public:
  // window: raised when the desktop activates the app, and its closing ends the run; null
  // without one. reports: hears the calls that changed something. All must outlive it.
  Desktop(LaunchedApp& app, const SettingsUserDefaults& defaults, QWidget* window, SessionReports& reports);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  Ending& ending() { return ending_; }
  // The control other programs drive the remote screen through, for the other ways in.
  RemoteControl& control() { return control_; }
  // Told after anything the screen shows changed.
  [[nodiscard]] Subscription onChange(std::function<void()> changed) { return changes_.listen(std::move(changed)); }
  // Shows and raises the window; empty without one.
  const std::function<void()>& raise() const { return raise_; }

 private:
  // What the screen shows changed: other programs and the inhibitors hear of it.
  void refresh();

  Application& application_;
  Ending ending_;
  RemoteControl control_;
  std::function<void()> raise_;
  std::unique_ptr<ControlObject> controlObject_;  // null where other programs cannot reach this run
  KeepAwake awake_;
  Channel<> changes_;
  UiSubscription announcing_;
  Subscription timerAnnouncing_;
  QObject connections_;  // last: the Qt connections to this object go first
};

}  // namespace kiro
