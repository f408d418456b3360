#pragma once

#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

#include "platform/notices.h"

namespace kiro {

// Keeps the phone awake while a shot is under way (R held, F latched, a timed sequence),
// whether or not the window has focus: an idle and suspend inhibitor through the desktop
// portal, or the screen saver's where there is no portal; and a logind delay inhibitor, so
// that a suspend first lets the shutter go. Without a session or system bus that part is
// skipped, said once to the user; an inhibitor refused is asked again a minute later at the
// soonest. Every call is asynchronous: the pump never waits for it.
class KeepAwake final : public QObject {
  Q_OBJECT

 public:
  // underWay: whether a shot is under way now. beforeSleep: lets the shot go as a hand
  // would; the system may sleep kSleepGrace after it. window: the app has one, whose focus
  // with the app's idle-timer flag also keeps the display awake. notices: told what cannot
  // be kept awake; it must outlive this.
  KeepAwake(std::function<bool()> underWay, std::function<void()> beforeSleep, bool window, Notices& notices);
  ~KeepAwake() override;

  static constexpr int kSleepGrace = 150;  // ms: the release notice's first frames go out

  // Something the screen shows changed: the shot may have started or ended.
  void refresh();
  // The app's idle-timer-disabled flag.
  void setIdleTimerDisabled(bool disabled);

 private Q_SLOTS:
  void prepareForSleep(bool sleeping);

 private:
  // An inhibitor refused, or its service absent: not asked again for a minute, so that a
  // refusal costs nothing while a shot goes on, and said once until granted.
  class Refusal {
   public:
    Refusal(const char* consequence, Notices& notices, std::function<void()> retry);
    bool waiting() const { return retry_.isActive(); }
    void refused(const QString& why);
    void granted() { said_ = false; }

   private:
    const char* consequence_;
    Notices& notices_;
    bool said_ = false;
    QTimer retry_;
  };

  void applyIdle();
  void applySleep();
  void idleAnswered(QDBusPendingCallWatcher* call, bool portal);

  std::function<bool()> underWay_;
  std::function<void()> beforeSleep_;
  bool window_;
  bool busy_ = false;
  bool idleTimerDisabled_ = false;
  bool active_ = false;
  bool sleeping_ = false;
  // The idle inhibitor: a portal request, or a screen-saver cookie; one request at a time.
  bool idleAsked_ = false;
  std::optional<QString> portalRequest_;
  std::optional<uint> screenSaverCookie_;
  bool noPortal_ = false;
  // The sleep delay inhibitor: held while its descriptor is open.
  bool sleepAsked_ = false;
  std::optional<QDBusUnixFileDescriptor> sleepLock_;
  QTimer ended_;  // checks while a shot is under way for its end, which may show nothing
  Refusal idleRefused_;
  Refusal sleepRefused_;
};

}  // namespace kiro
