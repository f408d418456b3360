#include "platform/qt/web/web_server.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <map>

#include "platform/qt/web/bounded_tcp_server.h"

namespace kiro {

namespace {

using Status = QHttpServerResponder::StatusCode;

// What the page is made of, each a resource, with its type.
const std::map<QString, std::pair<QString, QByteArray>>& pageFiles() {
  static const std::map<QString, std::pair<QString, QByteArray>> files{
      {"/", {":/web/index.html", "text/html; charset=utf-8"}},
      {"/remote.css", {":/web/remote.css", "text/css; charset=utf-8"}},
      {"/remote.js", {":/web/remote.js", "text/javascript; charset=utf-8"}},
  };
  return files;
}

// Whether host, a Host header, is an address and not a name: a name could be one a
// rebinding DNS points at this machine.
bool isAddress(const QString& host) {
  if (host == "localhost") return true;
  const QString bare = host.startsWith('[') && host.endsWith(']') ? host.mid(1, host.size() - 2) : host;
  return !QHostAddress(bare).isNull();
}

}  // namespace

WebServer::WebServer(WebPairing& pairing, bool https, QObject* parent)
    : QAbstractHttpServer(parent), pairing_(pairing), https_(https) {}

bool WebServer::fromUs(const QHttpServerRequest& request) const {
  const QString host = QString::fromLatin1(request.value("host"));
  const qsizetype colon = host.lastIndexOf(':');
  if (colon <= 0 || host.mid(colon + 1) != QString::number(port_) || !isAddress(host.left(colon))) return false;
  const QByteArray origin = request.value("origin");
  return origin.isEmpty() || origin == (https_ ? "https://" : "http://") + host.toLatin1();
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  BoundedTcpServer::requestRead(socket);
  const bool upgrade = request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
  const QString path = request.url().path();
  if (!fromUs(request) || (upgrade && request.value("origin").isEmpty())) {
    if (upgrade) return false;
    answer(request, socket, 403, "Not this server's own address.\n");
    return true;
  }
  if (request.method() != QHttpServerRequest::Method::Get) {
    if (upgrade) return false;
    answer(request, socket, 405, "Only GET.\n");
    return true;
  }
  if (!upgrade && path == "/pair") {
    pair(request, socket);
    return true;
  }
  if (!pairing_.isPaired(request.value("cookie"))) {
    if (upgrade) return false;
    answer(request, socket, 403, "Not paired: open the pairing URL the app shows.\n");
    return true;
  }
  // The socket is handed to the WebSocket side.
  if (upgrade) return path == "/socket";
  const auto file = pageFiles().find(path);
  if (file == pageFiles().end()) {
    answer(request, socket, 404, "No such page.\n");
    return true;
  }
  QFile resource(file->second.first);
  resource.open(QIODevice::ReadOnly);
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.write(resource.readAll(),
                  {{"Content-Type", file->second.second},
                   {"Cache-Control", "no-store"},
                   {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'"},
                   {"X-Content-Type-Options", "nosniff"},
                   {"Referrer-Policy", "no-referrer"}},
                  Status::Ok);
  return true;
}

void WebServer::pair(const QHttpServerRequest& request, QTcpSocket* socket) {
  const auto now = WrongSecrets::Clock::now();
  if (!wrong_.mayTry(request.remoteAddress(), now)) {
    answer(request, socket, 429, "Too many wrong secrets: wait a minute.\n");
    return;
  }
  if (!pairing_.isSecret(request.query().queryItemValue("secret"))) {
    wrong_.wrong(request.remoteAddress(), now);
    answer(request, socket, 403, "Not the pairing secret: it may have been renewed.\n");
    return;
  }
  QByteArray cookie = QByteArray(WebPairing::kCookieName) + "=" + pairing_.cookie() +
                      "; Path=/; Max-Age=31536000; HttpOnly; SameSite=Strict";
  if (https_) cookie += "; Secure";
  // Away from the URL with the secret, so that it leaves the address bar and the history.
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.write({{"Set-Cookie", cookie}, {"Location", "/"}, {"Cache-Control", "no-store"},
                   {"Referrer-Policy", "no-referrer"}, {"Content-Length", "0"}},
                  Status::SeeOther);
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  answer(request, socket, 403, "Not paired.\n");
}

void WebServer::answer(const QHttpServerRequest& request, QTcpSocket* socket, int status, const QByteArray& body) {
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.write(body, {{"Content-Type", "text/plain; charset=utf-8"}, {"Cache-Control", "no-store"}},
                  static_cast<Status>(status));
}

}  // namespace kiro
