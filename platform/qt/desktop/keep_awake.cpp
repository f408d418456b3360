#include "platform/qt/desktop/keep_awake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QGuiApplication>

#include <utility>

namespace kiro {

namespace {

const QString kReason = QStringLiteral("A shot is under way");
constexpr uint kIdleAndSuspend = 4 | 8;
constexpr int kEndCheck = 500;       // ms
constexpr int kRetryAfter = 60'000;  // ms

QDBusMessage call(const char* service, const char* path, const char* interface, const char* method) {
  return QDBusMessage::createMethodCall(service, path, interface, method);
}

}  // namespace

KeepAwake::Refusal::Refusal(const char* consequence, Notices& notices, std::function<void()> retry)
    : consequence_(consequence), notices_(notices) {
  retry_.setSingleShot(true);
  retry_.setInterval(kRetryAfter);
  QObject::connect(&retry_, &QTimer::timeout, std::move(retry));
}

void KeepAwake::Refusal::refused(const QString& why) {
  retry_.start();
  if (std::exchange(said_, true)) return;
  notices_.say(std::string(consequence_) + ": " + why.toStdString());
}

KeepAwake::KeepAwake(std::function<bool()> underWay, std::function<void()> beforeSleep, bool window, Notices& notices)
    : underWay_(std::move(underWay)),
      beforeSleep_(std::move(beforeSleep)),
      window_(window),
      idleRefused_("the screen may blank during a shot", notices, [this] { applyIdle(); }),
      sleepRefused_("a suspend cannot be delayed to let the shutter go", notices, [this] { applySleep(); }) {
  if (!QDBusConnection::sessionBus().isConnected()) notices.say("no session bus: the screen may blank during a shot");
  QDBusConnection system = QDBusConnection::systemBus();
  if (system.isConnected()) {
    system.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                   "PrepareForSleep", this, SLOT(prepareForSleep(bool)));
  } else {
    notices.say("no system bus: a suspend cannot be delayed to let the shutter go");
  }
  if (window_) {
    active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
      active_ = state == Qt::ApplicationActive;
      applyIdle();
    });
  }
  ended_.setInterval(kEndCheck);
  connect(&ended_, &QTimer::timeout, this, [this] { refresh(); });
}

KeepAwake::~KeepAwake() {
  busy_ = false;
  idleTimerDisabled_ = false;
  applyIdle();
}

void KeepAwake::refresh() {
  const bool busy = underWay_();
  if (busy == busy_) return;
  busy_ = busy;
  busy ? ended_.start() : ended_.stop();
  applyIdle();
  applySleep();
}

void KeepAwake::setIdleTimerDisabled(bool disabled) {
  idleTimerDisabled_ = disabled;
  applyIdle();
}

void KeepAwake::applyIdle() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (idleAsked_ || idleRefused_.waiting() || !bus.isConnected()) return;
  const bool wanted = busy_ || (window_ && active_ && idleTimerDisabled_);
  const bool held = portalRequest_ || screenSaverCookie_;
  if (wanted == held) return;
  if (!wanted) {
    if (portalRequest_)
      bus.asyncCall(call("org.freedesktop.portal.Desktop", portalRequest_->toUtf8().constData(),
                         "org.freedesktop.portal.Request", "Close"));
    if (screenSaverCookie_) {
      QDBusMessage release = call("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                  "org.freedesktop.ScreenSaver", "UnInhibit");
      release << *screenSaverCookie_;
      bus.asyncCall(release);
    }
    portalRequest_.reset();
    screenSaverCookie_.reset();
    return;
  }
  QDBusMessage request;
  if (!noPortal_) {
    request = call("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Inhibit",
                   "Inhibit");
    request << QString() << kIdleAndSuspend << QVariantMap{{"reason", kReason}};
  } else {
    request = call("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "Inhibit");
    request << QStringLiteral("kiro-remote") << kReason;
  }
  idleAsked_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(request), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, portal = !noPortal_](QDBusPendingCallWatcher* answered) { idleAnswered(answered, portal); });
}

void KeepAwake::idleAnswered(QDBusPendingCallWatcher* answered, bool portal) {
  answered->deleteLater();
  idleAsked_ = false;
  const QDBusMessage reply = answered->reply();
  if (reply.type() == QDBusMessage::ErrorMessage) {
    // No portal: the screen saver then. Neither: nothing can keep the display awake.
    if (portal) {
      noPortal_ = true;
      return applyIdle();
    }
    return idleRefused_.refused(reply.errorMessage());
  }
  idleRefused_.granted();
  if (portal) {
    portalRequest_ = reply.arguments().value(0).value<QDBusObjectPath>().path();
  } else {
    screenSaverCookie_ = reply.arguments().value(0).toUInt();
  }
  // What is wanted may have changed meanwhile.
  applyIdle();
}

void KeepAwake::applySleep() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (sleepAsked_ || sleepRefused_.waiting() || !bus.isConnected()) return;
  const bool wanted = busy_ && !sleeping_;
  if (wanted == sleepLock_.has_value()) return;
  if (!wanted) {
    sleepLock_.reset();  // closing the descriptor lets the system go on
    return;
  }
  QDBusMessage request = call("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "Inhibit");
  request << QStringLiteral("sleep") << QStringLiteral("KIRO Remote") << kReason << QStringLiteral("delay");
  sleepAsked_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(request), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
    answered->deleteLater();
    sleepAsked_ = false;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *answered;
    if (reply.isValid()) {
      sleepLock_ = reply.value();
      sleepRefused_.granted();
    } else {
      sleepRefused_.refused(reply.error().message());
    }
    applySleep();
  });
}

void KeepAwake::prepareForSleep(bool sleeping) {
  sleeping_ = sleeping;
  if (!sleeping) return applySleep();
  beforeSleep_();
  // The release notice's first frames go out before the system may sleep.
  QTimer::singleShot(kSleepGrace, this, [this] {
    busy_ = underWay_();
    applySleep();
  });
}

}  // namespace kiro
