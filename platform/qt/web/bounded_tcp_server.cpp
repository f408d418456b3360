#include "platform/qt/web/bounded_tcp_server.h"

#include <QSslSocket>
#include <QTimer>

namespace kiro {

namespace {

constexpr const char* kReadBytes = "kiroRequestBytes";
constexpr int kHandshakeMillis = 10000;

// Counts what arrives before the server reads it, and cuts a request that outgrows its budget.
void countRequestBytes(QTcpSocket* socket) {
  const qint64 read = socket->property(kReadBytes).toLongLong() + socket->bytesAvailable();
  socket->setProperty(kReadBytes, read);
  // After the server's own reader has seen this chunk, which stays within the budget's size.
  if (read > BoundedTcpServer::kMostRequestBytes) QMetaObject::invokeMethod(socket, &QTcpSocket::abort, Qt::QueuedConnection);
}

}  // namespace

BoundedTcpServer::BoundedTcpServer(std::optional<QSslConfiguration> tls, QObject* parent)
    : QTcpServer(parent), tls_(std::move(tls)) {}

void BoundedTcpServer::requestRead(QTcpSocket* socket) { socket->setProperty(kReadBytes, qint64{0}); }

void BoundedTcpServer::incomingConnection(qintptr descriptor) {
  QTcpSocket* socket = tls_ ? new QSslSocket(this) : new QTcpSocket(this);
  if (!socket->setSocketDescriptor(descriptor) || open_ >= kMostSockets) {
    socket->abort();
    socket->deleteLater();
    return;
  }
  ++open_;
  connect(socket, &QObject::destroyed, this, [this] { --open_; });
  // First of the socket's readers, so it counts each chunk before the server reads it.
  connect(socket, &QTcpSocket::readyRead, socket, [socket] { countRequestBytes(socket); });
  auto* ssl = qobject_cast<QSslSocket*>(socket);
  if (!ssl) {
    addPendingConnection(socket);  // which tells the HTTP server
    return;
  }
  ssl->setSslConfiguration(*tls_);
  connect(ssl, &QSslSocket::encrypted, this, [this, ssl] { addPendingConnection(ssl); });
  connect(ssl, &QSslSocket::disconnected, ssl, &QObject::deleteLater);
  connect(ssl, &QSslSocket::errorOccurred, ssl, [ssl] { ssl->abort(); });
  // A handshake never finished must not hold its place.
  QTimer::singleShot(kHandshakeMillis, ssl, [ssl] {
    if (!ssl->isEncrypted()) ssl->abort();
  });
  ssl->startServerEncryption();
}

}  // namespace kiro
