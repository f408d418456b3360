#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>

#include "platform/qt/web/web_pairing.h"

namespace kiro {

// The web remote's HTTP side: the pairing URL, the page and the upgrade to its socket.
// Everything but the pairing URL needs the pairing cookie; a Host that is not an address of
// ours (a name a rebinding DNS points at us) and an Origin that is not this page's are
// refused, so a page elsewhere cannot use a paired browser to drive the camera.
class WebServer final : public QAbstractHttpServer {
 public:
  // pairing: the secret and the cookie; must outlive it. https: the scheme the page is on.
  WebServer(WebPairing& pairing, bool https, QObject* parent = nullptr);

  // port: the one listened on; a Host header must name it.
  void setPort(quint16 port) { port_ = port; }

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  bool fromUs(const QHttpServerRequest& request) const;
  void pair(const QHttpServerRequest& request, QTcpSocket* socket);
  void answer(const QHttpServerRequest& request, QTcpSocket* socket, int status, const QByteArray& body = {});

  WebPairing& pairing_;
  bool https_;
  quint16 port_ = 0;
  WrongSecrets wrong_;
};

}  // namespace kiro
