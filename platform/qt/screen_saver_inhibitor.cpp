#include "platform/qt/screen_saver_inhibitor.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>

namespace kiro {

namespace {
QDBusInterface screenSaver() {
  return QDBusInterface("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver",
                        QDBusConnection::sessionBus());
}
}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor() {
  active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    active_ = state == Qt::ApplicationActive;
    apply();
  });
}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
  wanted_ = false;
  apply();
}

void ScreenSaverInhibitor::setWanted(bool wanted) {
  wanted_ = wanted;
  apply();
}

void ScreenSaverInhibitor::apply() {
  const bool inhibit = wanted_ && active_;
  if (inhibit == cookie_.has_value() || !QDBusConnection::sessionBus().isConnected()) return;
  auto bus = screenSaver();
  if (!bus.isValid()) return;
  if (inhibit) {
    QDBusReply<uint> reply = bus.call("Inhibit", QStringLiteral("kiro-remote"), QStringLiteral("Remote control in use"));
    if (reply.isValid()) cookie_ = reply.value();
  } else {
    bus.call("UnInhibit", *cookie_);
    cookie_.reset();
  }
}

}  // namespace kiro
