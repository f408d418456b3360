#include "platform/qt/desktop/session_presence.h"

#include <QDBusConnectionInterface>

namespace kiro {

namespace {

QDBusConnectionInterface::RegisterServiceReply ownName(QDBusConnection& bus) {
  return bus.interface()->registerService(kBusName, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
}

}  // namespace

bool activateRunningInstance(Notices& notices) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  // Owned before control is exported: Qt hands this connection no call before the event
  // loop runs, so one that comes at once (D-Bus started this run for it) waits for control.
  if (!bus.isConnected() || ownName(bus) == QDBusConnectionInterface::ServiceRegistered) return false;
  QDBusMessage activate = QDBusMessage::createMethodCall(kBusName, kControlPath, "org.freedesktop.Application", "Activate");
  activate << QVariantMap();
  const QDBusMessage reply = bus.call(activate, QDBus::Block, 5000);
  if (reply.type() != QDBusMessage::ErrorMessage) return true;
  // One without a window (a script's run) or one that does not answer: this one starts.
  const std::string why = reply.errorMessage().toStdString();
  notices.say("another KIRO Remote owns the name but did not raise a window (" + why + ")");
  return false;
}

Result<> runDesktopAction(const std::string& action) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return Error{"no session bus"};
  QDBusMessage call =
      QDBusMessage::createMethodCall(kBusName, kControlPath, "org.freedesktop.Application", "ActivateAction");
  call << QString::fromStdString(action) << QVariantList() << QVariantMap();
  // Long enough for D-Bus to start the app.
  const QDBusMessage reply = bus.call(call, QDBus::Block, 30000);
  if (reply.type() == QDBusMessage::ErrorMessage) return Error{reply.errorMessage().toStdString()};
  return {};
}

std::unique_ptr<ControlObject> exportControl(RemoteControl& control, Notices& notices, ControlObject::Hooks hooks) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    notices.say("no session bus: other programs cannot reach this run");
    return nullptr;
  }
  auto object = std::make_unique<ControlObject>(control, bus, std::move(hooks));
  // The object first: a caller that sees the name may call at once.
  bus.registerVirtualObject(kControlPath, object.get());
  if (ownName(bus) == QDBusConnectionInterface::ServiceRegistered) return object;
  bus.unregisterObject(kControlPath);
  notices.say(std::string("another KIRO Remote owns ") + kBusName +
              " on the session bus: other programs cannot reach this run");
  return nullptr;
}

}  // namespace kiro
