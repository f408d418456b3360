#include "platform/qt/web/web_browser.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include "plan/timer_presets.h"

namespace kiro {

namespace {

const char* refusalName(ControlRefusal::Kind kind) {
  switch (kind) {
    case ControlRefusal::Kind::notConnected:
      return "NotConnected";
    case ControlRefusal::Kind::invalidPlan:
      return "InvalidPlan";
    case ControlRefusal::Kind::busy:
      return "Busy";
  }
  return "";
}

std::string callerOf(const QWebSocket& socket) {
  const QHostAddress address = socket.peerAddress();
  const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? "[" + address.toString() + "]" : address.toString();
  return (host + ":" + QString::number(socket.peerPort())).toStdString();
}

}  // namespace

WebBrowser::WebBrowser(std::unique_ptr<QWebSocket> socket, RemoteControl& control, const UserDefaults& defaults, Hooks hooks)
    : socket_(std::move(socket)), control_(control), defaults_(defaults), hooks_(std::move(hooks)), caller_(callerOf(*socket_)) {
  socket_->setMaxAllowedIncomingFrameSize(kMostMessageBytes);
  socket_->setMaxAllowedIncomingMessageSize(kMostMessageBytes);
  heartbeat_.setSingleShot(true);
  heartbeat_.setInterval(kHeartbeat);
  QObject::connect(&heartbeat_, &QTimer::timeout, socket_.get(), [this] {
    if (!control_.releaseShutter(caller_).ok()) return;
    if (hooks_.called) hooks_.called("heartbeat lost", caller_);
  });
  QObject::connect(socket_.get(), &QWebSocket::textMessageReceived, socket_.get(), [this](const QString& text) { received(text); });
  QObject::connect(socket_.get(), &QWebSocket::binaryMessageReceived, socket_.get(), [this] { close(); });
  QObject::connect(socket_.get(), &QWebSocket::disconnected, socket_.get(), [this] {
    letGo();
    if (hooks_.closed) hooks_.closed();
  });
}

WebBrowser::~WebBrowser() {
  letGo();
  socket_->disconnect();
  socket_->abort();
  // It may be in the middle of telling its own signal.
  socket_.release()->deleteLater();
}

void WebBrowser::letGo() {
  if (!open_) return;
  open_ = false;
  heartbeat_.stop();
  control_.callerLeft(caller_);
}

void WebBrowser::send(const QJsonObject& message) {
  if (!open_) return;
  if (socket_->bytesToWrite() > kMostUnsentBytes) return close();
  socket_->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

void WebBrowser::close() {
  letGo();
  socket_->close(QWebSocketProtocol::CloseCodePolicyViolated);
  // A peer that never answers the close must not keep its place.
  QTimer::singleShot(1000, socket_.get(), [socket = socket_.get()] { socket->abort(); });
}

void WebBrowser::received(const QString& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
  const QJsonObject message = document.object();
  const QString verb = message.value("do").toString();
  static const QStringList verbs{"press", "hold", "release", "focus", "timer", "timer-stop"};
  if (error.error != QJsonParseError::NoError || !document.isObject() || !verbs.contains(verb)) {
    close();
    return;
  }
  const RemoteState before = control_.state();
  const ControlResult result = act(message, verb);
  if (!result.ok()) {
    send({{"type", "refused"},
          {"do", verb},
          {"kind", refusalName(result.error().kind)},
          {"message", QString::fromStdString(result.error().message)}});
    return;
  }
  if (hooks_.called && !(control_.state() == before)) hooks_.called(verb.toStdString(), caller_);
}

ControlResult WebBrowser::act(const QJsonObject& message, const QString& verb) {
  if (verb == "press") {
    auto pressed = control_.pressShutter(caller_);
    if (pressed.ok()) heartbeat_.start();
    return pressed;
  }
  if (verb == "hold") {
    if (heartbeat_.isActive()) heartbeat_.start();
    return {};
  }
  if (verb == "release") {
    if (!heartbeat_.isActive()) return {};
    heartbeat_.stop();
    return control_.releaseShutter(caller_);
  }
  if (verb == "focus") return control_.setFocus(message.value("on").toBool());
  if (verb == "timer") {
    const auto plan = presets::plan(defaults_, message.value("preset").toString().toStdString());
    if (!plan.ok()) return ControlRefusal{ControlRefusal::Kind::invalidPlan, plan.error().message};
    return control_.startTimer(plan.value());
  }
  control_.stopTimer();
  return {};
}

}  // namespace kiro
