#include "platform/qt/mpris/mpris_player.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>

namespace kiro {

namespace {

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// The one track: the remote itself.
const QString kTrack = QStringLiteral("/io/github/kiro_remote/KiroRemote/remote");

QDBusMessage unknownMethod(const QDBusMessage& message) {
  return message.createErrorReply(QDBusError::UnknownMethod,
                                  "no method " + message.member() + "(" + message.signature() + ")");
}

// A series' progress, without the countdown the screen's timer line has: a watch that shows the
// title need not hear of each tenth of a second.
QString progress(const ShootingStatus& status) {
  QString text = status.of ? QStringLiteral("Shot %1 of %2").arg(status.shot).arg(*status.of)
                           : QStringLiteral("Shot %1").arg(status.shot);
  if (status.missed > 0) text += QStringLiteral(", %1 missed").arg(status.missed);
  return text;
}

}  // namespace

MprisPlayer::MprisPlayer(RemoteControl& control, const cameraViewController& remote, QDBusConnection bus, Hooks hooks)
    : control_(control), remote_(remote), bus_(std::move(bus)), hooks_(std::move(hooks)), last_(playerValues()) {}

QString MprisPlayer::introspect(const QString&) const {
  QFile xml(QStringLiteral(":/platform/qt/mpris/mpris_interfaces.xml"));
  xml.open(QIODevice::ReadOnly);
  return QString::fromUtf8(xml.readAll());
}

bool MprisPlayer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  QDBusMessage reply;
  if (message.interface() == kPlayer) reply = player(message);
  else if (message.interface() == kRoot) reply = root(message);
  else if (message.interface() == kProperties) reply = properties(message);
  else return false;
  connection.send(reply);
  refresh();
  return true;
}

QDBusMessage MprisPlayer::answer(const QDBusMessage& message, const ControlResult& result, bool changed) {
  return answerCall(message, result, changed, hooks_.called);
}

QDBusMessage MprisPlayer::root(const QDBusMessage& message) {
  if (!message.signature().isEmpty()) return unknownMethod(message);
  if (message.member() == "Raise") {
    // Without a window CanRaise is false, and Raise does nothing.
    if (hooks_.raise) hooks_.raise();
    return answer(message, {}, static_cast<bool>(hooks_.raise));
  }
  if (message.member() == "Quit") return message.createReply();  // CanQuit is false
  return unknownMethod(message);
}

QDBusMessage MprisPlayer::player(const QDBusMessage& message) {
  const RemoteState before = control_.state();
  const auto answered = [&](const ControlResult& result) { return answer(message, result, !(control_.state() == before)); };
  const QString method = message.member();
  const QString signature = message.signature();
  if (signature.isEmpty()) {
    if (method == "Play" || method == "PlayPause") return answered(control_.shoot(Millis{0}, message.service().toStdString()));
    if (method == "Next") return answered(control_.setFocus(!before.focus));
    if (method == "Stop") {
      control_.stopTimer();
      return answered({});
    }
  }
  // What a shot has no use for answers as done, and the Can* properties say it does nothing.
  const bool nothing = ((method == "Pause" || method == "Previous") && signature.isEmpty()) ||
                       (method == "Seek" && signature == "x") || (method == "SetPosition" && signature == "ox") ||
                       (method == "OpenUri" && signature == "s");
  return nothing ? message.createReply() : unknownMethod(message);
}

QVariantMap MprisPlayer::playerValues() const {
  const bool series = remote_.timedShootingActive();
  const bool connected = remote_.receiverConnected();
  QString title = QString::fromStdString(remote_.testLabel()->text());
  if (series) title += " - " + progress(remote_.timedShooting());
  const QVariantMap metadata{{"mpris:trackid", QVariant::fromValue(QDBusObjectPath(kTrack))}, {"xesam:title", title}};
  return {{"PlaybackStatus", series || remote_.shutterHeld() ? "Playing" : "Stopped"},
          {"Rate", 1.0},
          {"MinimumRate", 1.0},
          {"MaximumRate", 1.0},
          {"Volume", 1.0},
          {"Position", qlonglong(0)},
          {"Metadata", metadata},
          {"CanGoNext", connected},
          {"CanGoPrevious", false},
          {"CanPlay", connected},
          {"CanPause", false},
          {"CanSeek", false},
          {"CanControl", true}};
}

QDBusMessage MprisPlayer::properties(const QDBusMessage& message) const {
  const QList<QVariant> arguments = message.arguments();
  const QString interface = arguments.value(0).toString();
  if (arguments.isEmpty() || (interface != kRoot && interface != kPlayer))
    return message.createErrorReply(QDBusError::UnknownInterface, "no properties on that interface");
  const QVariantMap values =
      interface == kPlayer ? playerValues()
                           : QVariantMap{{"CanQuit", false},
                                         {"CanRaise", static_cast<bool>(hooks_.raise)},
                                         {"HasTrackList", false},
                                         {"Identity", QStringLiteral("KIRO Remote")},
                                         {"DesktopEntry", QStringLiteral(KIRO_APP_ID)},
                                         {"SupportedUriSchemes", QStringList()},
                                         {"SupportedMimeTypes", QStringList()}};
  if (message.member() == "GetAll" && arguments.size() == 1) return message.createReply(QVariant::fromValue(values));
  if (message.member() == "Get" && arguments.size() == 2 && values.contains(arguments[1].toString()))
    return message.createReply(QVariant::fromValue(QDBusVariant(values.value(arguments[1].toString()))));
  if (message.member() == "Set")
    return message.createErrorReply(QDBusError::PropertyReadOnly, "KIRO Remote's player has nothing to set");
  return message.createErrorReply(QDBusError::UnknownProperty, "no such property");
}

void MprisPlayer::refresh() {
  const QVariantMap now = playerValues();
  QVariantMap changed;
  for (auto value = now.cbegin(); value != now.cend(); ++value)
    if (last_.value(value.key()) != value.value()) changed.insert(value.key(), value.value());
  if (changed.isEmpty()) return;
  last_ = now;
  QDBusMessage signal = QDBusMessage::createSignal(kMprisPath, kProperties, "PropertiesChanged");
  signal << kPlayer << changed << QStringList();
  bus_.send(signal);
}

std::unique_ptr<MprisPlayer> exportMprisPlayer(LaunchedApp& app, Desktop& desktop, SessionReports& reports) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return nullptr;
  auto player = std::make_unique<MprisPlayer>(
      desktop.control(), *app.delegate().remote(), bus,
      MprisPlayer::Hooks{desktop.raise(), [&reports](const std::string& method, const std::string& caller) {
                           reports.remote(method, caller);
                         }});
  // The object first: a caller that sees the name may call at once.
  bus.registerVirtualObject(kMprisPath, player.get());
  if (bus.interface()->registerService(kMprisName, QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement) !=
      QDBusConnectionInterface::ServiceRegistered) {
    bus.unregisterObject(kMprisPath);
    app.notices().say(std::string("another program owns ") + kMprisName +
                      " on the session bus: media keys cannot reach this run");
    return nullptr;
  }
  player->follow(desktop.onChange([target = player.get()] { target->refresh(); }));
  return player;
}

}  // namespace kiro
