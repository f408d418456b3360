#include "platform/qt/desktop/control_object.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QFile>
#include <QTimer>

#include <algorithm>

#include "plan/plan_words.h"
#include "platform/platform.h"
#include "base/result.h"

namespace kiro {

namespace {

constexpr std::size_t kMostWaiting = 8;
// A plan in words is a line of a script; no plan needs more.
constexpr qsizetype kLongestPlanWords = 1024;
const QString kControl = QStringLiteral("io.github.kiro_remote.KiroRemote1");
const QString kApplication = QStringLiteral("org.freedesktop.Application");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");

using LampMap = QMap<QString, bool>;

ControlRefusal invalidPlan(const std::string& why) { return {ControlRefusal::Kind::invalidPlan, why}; }

// The plan a caller gave as a{sv}, or why it cannot be one.
Result<ShootingPlan, ControlRefusal> planFrom(const QVariantMap& given) {
  static const std::map<QString, ShootingPlan::Mode> modes{
      {"self", ShootingPlan::Mode::self}, {"bulb", ShootingPlan::Mode::bulb}, {"interval", ShootingPlan::Mode::interval}};
  // Or the plan in a script's words, alone.
  if (given.contains("words")) {
    const QVariant words = given.value("words");
    if (given.size() != 1 || words.typeId() != QMetaType::QString) return invalidPlan("words must be an s, alone in the plan");
    if (words.toString().size() > kLongestPlanWords)
      return invalidPlan("a plan's words are at most " + std::to_string(kLongestPlanWords) + " characters");
    std::vector<std::string> split;
    for (const QString& word : words.toString().split(' ', Qt::SkipEmptyParts)) split.push_back(word.toStdString());
    auto plan = parsePlanWords(split);
    if (!plan.ok()) return invalidPlan(plan.error().message);
    return std::move(plan).value();
  }
  const auto mode = modes.find(given.value("mode").toString());
  if (mode == modes.end()) return invalidPlan("mode must be self, bulb or interval");
  ShootingPlan plan;
  plan.mode = mode->second;
  for (auto entry = given.cbegin(); entry != given.cend(); ++entry) {
    if (entry.key() == "mode") continue;
    if (entry.value().typeId() != QMetaType::UInt) return invalidPlan(entry.key().toStdString() + " must be a u");
    const auto value = entry.value().toUInt();
    if (entry.key() == "delay") plan.delay = Millis{value};
    else if (entry.key() == "bulb") plan.bulb = Millis{value};
    else if (entry.key() == "interval") plan.interval = Millis{value};
    // Past the most shots, but never wrapped into a negative int.
    else if (entry.key() == "count")
      plan.count = value == 0 ? std::nullopt : std::optional<int>(static_cast<int>(std::min<uint>(value, kMostShots + 1)));
    else return invalidPlan("a plan has no " + entry.key().toStdString());
  }
  return plan;
}

QVariantMap timerMap(const ShootingStatus& status, Millis now) {
  QVariantMap timer{{"mode", modeName(status.mode)},
                    {"state", stateName(status.state)},
                    {"shot", static_cast<uint>(status.shot)},
                    {"missed", static_cast<uint>(status.missed)}};
  if (status.of) timer.insert("of", static_cast<uint>(*status.of));
  if (status.cut > 0) timer.insert("short", static_cast<uint>(status.cut));
  if (status.nextAt) timer.insert("next", static_cast<uint>(std::max(Millis{0}, *status.nextAt - now).count()));
  return timer;
}

const char* errorName(ControlRefusal::Kind kind) {
  switch (kind) {
    case ControlRefusal::Kind::notConnected:
      return "io.github.kiro_remote.KiroRemote1.Error.NotConnected";
    case ControlRefusal::Kind::invalidPlan:
      return "io.github.kiro_remote.KiroRemote1.Error.InvalidPlan";
    case ControlRefusal::Kind::busy:
      return "io.github.kiro_remote.KiroRemote1.Error.Busy";
  }
  return "";
}

}  // namespace

ControlObject::ControlObject(RemoteControl& control, QDBusConnection bus, Hooks hooks)
    : control_(control), bus_(std::move(bus)), hooks_(std::move(hooks)), last_(control.state()) {
  qDBusRegisterMetaType<LampMap>();
  callers_.setConnection(bus_);
  callers_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  QObject::connect(&callers_, &QDBusServiceWatcher::serviceUnregistered, [this](const QString& caller) {
    callers_.removeWatchedService(caller);
    control_.callerLeft(caller.toStdString());
    refresh();
  });
}

QString ControlObject::introspect(const QString&) const {
  QFile xml(QStringLiteral(":/data/dbus/io.github.kiro_remote.KiroRemote1.xml"));
  xml.open(QIODevice::ReadOnly);
  QString interfaces = QString::fromUtf8(xml.readAll());
  // Only the interfaces: Qt wraps them in the node.
  interfaces = interfaces.mid(interfaces.indexOf("<interface"));
  interfaces.truncate(interfaces.lastIndexOf("</node>"));
  return interfaces + QStringLiteral(
                          "<interface name=\"org.freedesktop.Application\">"
                          "<method name=\"Activate\"><arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
                          "<method name=\"Open\"><arg type=\"as\" name=\"uris\" direction=\"in\"/>"
                          "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
                          "<method name=\"ActivateAction\"><arg type=\"s\" name=\"action_name\" direction=\"in\"/>"
                          "<arg type=\"av\" name=\"parameter\" direction=\"in\"/>"
                          "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method></interface>");
}

bool ControlObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  QDBusMessage reply;
  if (message.interface() == kControl) reply = control(message);
  else if (message.interface() == kApplication) reply = application(message);
  else if (message.interface() == kProperties) reply = properties(message);
  else return false;
  // An action waiting for the receiver is answered later.
  if (reply.type() != QDBusMessage::InvalidMessage) connection.send(reply);
  refresh();
  return true;
}

QDBusMessage answerCall(const QDBusMessage& message, const ControlResult& result, bool changed,
                        const std::function<void(const std::string& method, const std::string& caller)>& called) {
  if (!result.ok()) {
    const ControlRefusal& refusal = result.error();
    return message.createErrorReply(errorName(refusal.kind), QString::fromStdString(refusal.message));
  }
  if (called && changed) called(message.member().toStdString(), message.service().toStdString());
  return message.createReply();
}

QDBusMessage ControlObject::answer(const QDBusMessage& message, const ControlResult& result, bool changed) {
  return answerCall(message, result, changed, hooks_.called);
}

QDBusMessage ControlObject::control(const QDBusMessage& message) {
  const RemoteState before = control_.state();
  const auto answered = [&](const ControlResult& result) { return answer(message, result, !(control_.state() == before)); };
  const QString method = message.member();
  const QList<QVariant> arguments = message.arguments();
  const QString signature = message.signature();
  const std::string caller = message.service().toStdString();
  if (method == "Shoot" && signature == "u") return answered(control_.shoot(Millis{arguments[0].toUInt()}, caller));
  if (method == "PressShutter" && signature.isEmpty()) {
    const auto pressed = control_.pressShutter(caller);
    if (pressed.ok()) callers_.addWatchedService(message.service());
    return answered(pressed);
  }
  if (method == "ReleaseShutter" && signature.isEmpty()) return answered(control_.releaseShutter(caller));
  if (method == "SetFocus" && signature == "b") return answered(control_.setFocus(arguments[0].toBool()));
  if (method == "StartTimer" && signature == "a{sv}") {
    const auto plan = planFrom(qdbus_cast<QVariantMap>(arguments[0]));
    if (!plan.ok()) return answered(plan.error());
    return answered(control_.startTimer(plan.value()));
  }
  if (method == "Continue" && signature.isEmpty()) return answered(control_.continueTimer());
  if (method == "StopTimer" && signature.isEmpty()) {
    control_.stopTimer();
    return answered({});
  }
  return message.createErrorReply(QDBusError::UnknownMethod, "no method " + method + "(" + signature + ")");
}

QDBusMessage ControlObject::application(const QDBusMessage& message) {
  const QString method = message.member();
  if (method == "Activate") {
    if (!hooks_.activate) return message.createErrorReply(QDBusError::NotSupported, "this run has no window");
    hooks_.activate();
    return answer(message);
  }
  if (method == "Open") return message.createErrorReply(QDBusError::NotSupported, "KIRO Remote opens no files");
  if (method != "ActivateAction" || message.arguments().isEmpty())
    return message.createErrorReply(QDBusError::UnknownMethod, "no method " + method);
  const QString action = message.arguments()[0].toString();
  if (action != "shoot" && action != "focus" && action != "self-timer" && action != "stop")
    return message.createErrorReply(QDBusError::InvalidArgs, "no action " + action);
  const RemoteState before = control_.state();
  const ControlResult result = runAction(action, message.service().toStdString());
  // Launched for the action, the app has not connected the remembered receiver yet: wait.
  // A few at most: a flood of calls must not pile up.
  if (!result.ok() && result.error().kind == ControlRefusal::Kind::notConnected && !before.receiver.empty() &&
      waiting_.size() < kMostWaiting) {
    platform().notices.say("the " + action.toStdString() + " action waits up to " +
                           std::to_string(kConnectWait.count() / 1000) + " s for the remembered receiver to connect");
    message.setDelayedReply(true);
    waiting_.push_back({++waited_, message});
    QTimer::singleShot(kConnectWait, this, [this, id = waited_] { giveUpWaiting(id); });
    return {};
  }
  return answer(message, result, !(control_.state() == before));
}

ControlResult ControlObject::runAction(const QString& action, const std::string& caller) {
  if (action == "shoot") return control_.shoot(Millis{0}, caller);
  if (action == "focus") return control_.setFocus(!control_.state().focus);
  if (action == "self-timer") return control_.selfTimer();
  control_.stopTimer();
  return {};
}

void ControlObject::answerWaiting() {
  const auto waiting = std::exchange(waiting_, {});
  for (const auto& [id, message] : waiting) {
    const RemoteState before = control_.state();
    const ControlResult result = runAction(message.arguments()[0].toString(), message.service().toStdString());
    bus_.send(answer(message, result, !(control_.state() == before)));
  }
}

void ControlObject::giveUpWaiting(int id) {
  const auto waiting =
      std::find_if(waiting_.begin(), waiting_.end(), [id](const auto& entry) { return entry.first == id; });
  if (waiting == waiting_.end()) return;
  const QString why = QStringLiteral("the remembered receiver did not connect within %1 s").arg(kConnectWait.count() / 1000);
  bus_.send(waiting->second.createErrorReply(errorName(ControlRefusal::Kind::notConnected), why));
  waiting_.erase(waiting);
}

QVariantMap ControlObject::propertyValues() const {
  const RemoteState state = control_.state();
  LampMap lamps;
  for (const auto& [name, lit] : state.lamps) lamps.insert(QString::fromStdString(name), lit);
  return {{"Connection", static_cast<uint>(state.connection)},
          {"Receiver", QString::fromStdString(state.receiver)},
          {"Focus", state.focus},
          {"Shutter", state.shutter},
          {"Lamps", QVariant::fromValue(lamps)},
          {"Timer", timerMap(state.timer, platform().runLoop.now())}};
}

QDBusMessage ControlObject::properties(const QDBusMessage& message) const {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.isEmpty() || arguments[0].toString() != kControl)
    return message.createErrorReply(QDBusError::UnknownInterface, "no properties on that interface");
  const QVariantMap values = propertyValues();
  if (message.member() == "GetAll") return message.createReply(QVariant::fromValue(values));
  if (message.member() == "Get" && arguments.size() == 2 && values.contains(arguments[1].toString()))
    return message.createReply(QVariant::fromValue(QDBusVariant(values.value(arguments[1].toString()))));
  if (message.member() == "Set") return message.createErrorReply(QDBusError::PropertyReadOnly, "every property is read-only");
  return message.createErrorReply(QDBusError::UnknownProperty, "no such property");
}

void ControlObject::refresh() {
  if (!waiting_.empty() && control_.state().connection == 2) answerWaiting();
  const RemoteState now = control_.state();
  if (now == last_) return;
  const QVariantMap values = propertyValues();
  QVariantMap changed;
  const auto add = [&](bool differs, const char* name) {
    if (differs) changed.insert(name, values.value(name));
  };
  add(now.connection != last_.connection, "Connection");
  add(now.receiver != last_.receiver, "Receiver");
  add(now.focus != last_.focus, "Focus");
  add(now.shutter != last_.shutter, "Shutter");
  add(now.lamps != last_.lamps, "Lamps");
  add(!(now.timer == last_.timer), "Timer");
  last_ = now;
  QDBusMessage signal = QDBusMessage::createSignal(kControlPath, kProperties, "PropertiesChanged");
  signal << kControl << changed << QStringList();
  bus_.send(signal);
}

}  // namespace kiro
