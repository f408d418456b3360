#pragma once

#include <QSslConfiguration>
#include <QTcpServer>

#include <optional>

namespace kiro {

// The web remote's listening socket: at most kMostSockets connections at once, each of whose
// requests may be at most kMostRequestBytes before it is cut, so that no client makes the app
// hold more than a bounded amount for it. With a TLS configuration it speaks HTTPS and hands
// a connection on only once its handshake is done.
class BoundedTcpServer final : public QTcpServer {
 public:
  static constexpr int kMostSockets = 64;
  static constexpr qint64 kMostRequestBytes = 16 * 1024;

  explicit BoundedTcpServer(std::optional<QSslConfiguration> tls, QObject* parent = nullptr);

  // A whole request of socket was read: the next one has the whole budget again.
  static void requestRead(QTcpSocket* socket);

 protected:
  void incomingConnection(qintptr descriptor) override;

 private:
  std::optional<QSslConfiguration> tls_;
  int open_ = 0;
};

}  // namespace kiro
