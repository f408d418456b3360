#include "platform/qt/web/qt_web_remote.h"

#include <QFile>
#include <QNetworkInterface>
#include <QSslKey>
#include <QTimer>

#include "plan/timer_presets.h"
#include "platform/platform.h"
#include "platform/qt/web/bounded_tcp_server.h"
#include "platform/qt/web/web_state.h"

namespace kiro {

QtWebRemote::QtWebRemote(Setup setup, RemoteControl& control, UserDefaults& defaults, Notices& notices, Called called)
    : setup_(std::move(setup)),
      control_(control),
      defaults_(defaults),
      notices_(notices),
      called_(std::move(called)) {
  telling_.setSingleShot(true);
  telling_.setInterval(0);
  QObject::connect(&telling_, &QTimer::timeout, &context_, [this] { tell(); });
}

QtWebRemote::~QtWebRemote() { closeAll(); }

QString QtWebRemote::host() const {
  QHostAddress address(QString::fromStdString(setup_.listen.address));
  // Listening everywhere: the address another device reaches, the first of the LAN's.
  if (address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6 || address == QHostAddress::Any) {
    address = QHostAddress::LocalHost;
    for (const QHostAddress& found : QNetworkInterface::allAddresses())
      if (found.protocol() == QAbstractSocket::IPv4Protocol && !found.isLoopback()) {
        address = found;
        break;
      }
  }
  return address.protocol() == QAbstractSocket::IPv6Protocol ? "[" + address.toString() + "]" : address.toString();
}

void QtWebRemote::setServing(bool on) {
  if (on == (server_ != nullptr)) return;
  if (!on) {
    closeAll();
    server_.reset();
    setStatus({});
    return;
  }
  const QHostAddress address(QString::fromStdString(setup_.listen.address));
  auto tcp = std::make_unique<BoundedTcpServer>(setup_.tls);
  if (address.isNull() || !tcp->listen(address, setup_.listen.port)) {
    const std::string why = "the web remote cannot listen on " + setup_.listen.address + ":" +
                            std::to_string(setup_.listen.port) + ": " +
                            (address.isNull() ? std::string("not an address") : tcp->errorString().toStdString());
    notices_.say(why);
    WebRemoteStatus failed;
    failed.error = why;
    setStatus(failed);
    return;
  }
  if (!pairing_) pairing_.emplace(defaults_);
  server_ = std::make_unique<WebServer>(*pairing_, setup_.tls.has_value());
  server_->setPort(tcp->serverPort());
  server_->bind(tcp.release());
  QObject::connect(server_.get(), &QAbstractHttpServer::newWebSocketConnection, &context_, [this] { accept(); });
  const QString base = QString(setup_.tls ? "https://" : "http://") + host() + ":" + QString::number(server_->serverPorts().value(0)) + "/";
  WebRemoteStatus serving;
  serving.serving = true;
  serving.address = base.toStdString();
  serving.pairingUrl = (base + "pair?secret=" + pairing_->secret()).toStdString();
  setStatus(serving);
}

void QtWebRemote::accept() {
  while (server_ && server_->hasPendingWebSocketConnections()) {
    auto socket = server_->nextPendingWebSocketConnection();
    const std::uint64_t id = ++accepted_;
    // Dropped after the socket's signal has been told, not inside it.
    browsers_.emplace(id, std::make_unique<WebBrowser>(
                              std::move(socket), control_, defaults_,
                              WebBrowser::Hooks{called_, [this, id] { QTimer::singleShot(0, &context_, [this, id] { drop(id); }); }}));
  }
  // Told to all again, so that the newcomer starts from what the others see.
  lastState_ = {};
  refresh();
  WebRemoteStatus status = status_;
  status.browsers = static_cast<int>(browsers_.size());
  setStatus(status);
}

void QtWebRemote::drop(std::uint64_t browser) {
  browsers_.erase(browser);
  WebRemoteStatus status = status_;
  status.browsers = static_cast<int>(browsers_.size());
  setStatus(status);
}

void QtWebRemote::closeAll() {
  // Each lets go what it holds as it goes.
  browsers_.clear();
}

void QtWebRemote::renewSecret() {
  // Not serving yet, there is no secret to renew: serving makes one.
  if (!pairing_) return;
  pairing_->renew();
  closeAll();
  if (!server_) return;
  WebRemoteStatus status = status_;
  status.pairingUrl = status.address + "pair?secret=" + pairing_->secret().toStdString();
  status.browsers = 0;
  setStatus(status);
}

void QtWebRemote::refresh() {
  if (!browsers_.empty() && !telling_.isActive()) telling_.start();
}

void QtWebRemote::tell() {
  if (browsers_.empty()) return;
  const QJsonObject state = stateMessage(control_.state(), platform().runLoop.now(), presets::all(defaults_));
  if (state == lastState_) return;
  lastState_ = state;
  for (const auto& [id, browser] : browsers_) browser->send(state);
}

void QtWebRemote::setStatus(WebRemoteStatus status) {
  if (status == status_) return;
  status_ = std::move(status);
  statusChanged_.send();
}

Result<QSslConfiguration> tlsFrom(const std::string& certificate, const std::string& key) {
  QFile certificateFile(QString::fromStdString(certificate));
  QFile keyFile(QString::fromStdString(key));
  if (!certificateFile.open(QIODevice::ReadOnly)) return Error{"--web-cert " + certificate + ": cannot be read"};
  if (!keyFile.open(QIODevice::ReadOnly)) return Error{"--web-key " + key + ": cannot be read"};
  const auto chain = QSslCertificate::fromDevice(&certificateFile, QSsl::Pem);
  if (chain.isEmpty()) return Error{"--web-cert " + certificate + ": no PEM certificate in it"};
  const QByteArray keyBytes = keyFile.readAll();
  QSslKey privateKey(keyBytes, QSsl::Rsa, QSsl::Pem);
  if (privateKey.isNull()) privateKey = QSslKey(keyBytes, QSsl::Ec, QSsl::Pem);
  if (privateKey.isNull()) return Error{"--web-key " + key + ": no PEM private key (RSA or EC) in it"};
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  tls.setLocalCertificateChain(chain);
  tls.setPrivateKey(privateKey);
  return tls;
}

}  // namespace kiro
