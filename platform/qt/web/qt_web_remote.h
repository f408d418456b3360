#pragma once

#include <QObject>
#include <QSslConfiguration>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/remote_control.h"
#include "base/channel.h"
#include "platform/notices.h"
#include "platform/qt/web/web_browser.h"
#include "platform/qt/web/web_pairing.h"
#include "platform/qt/web/web_server.h"
#include "platform/web_remote.h"
#include "script/command_line.h"

namespace kiro {

// The web remote on Qt HttpServer and Qt WebSockets: the page and its socket for every
// paired browser, each told of every change the screen shows.
class QtWebRemote final : public WebRemote {
 public:
  struct Setup {
    WebListen listen;                        // where to listen when serving
    std::optional<QSslConfiguration> tls;    // HTTPS with this, else plain HTTP
  };
  // A call that changed something: its verb and the browser's address.
  using Called = std::function<void(const std::string& verb, const std::string& caller)>;

  // All but setup must outlive it.
  QtWebRemote(Setup setup, RemoteControl& control, UserDefaults& defaults, Notices& notices, Called called);
  ~QtWebRemote() override;

  WebRemoteStatus status() const override { return status_; }
  void setServing(bool on) override;
  void renewSecret() override;
  Subscription onStatus(std::function<void()> changed) override { return statusChanged_.listen(std::move(changed)); }

  // What the screen shows changed: every browser hears of it once the loop is free, so that
  // the many changes of one feedback byte make one message, sent outside the frame's path.
  void refresh();

 private:
  void tell();
  void accept();
  void drop(std::uint64_t browser);
  void closeAll();
  void setStatus(WebRemoteStatus status);
  QString host() const;

  Setup setup_;
  RemoteControl& control_;
  UserDefaults& defaults_;
  Notices& notices_;
  Called called_;
  std::optional<WebPairing> pairing_;  // made as serving first starts, so a run that never serves keeps no secret
  std::unique_ptr<WebServer> server_;
  // By a number of their own: a browser's address may be taken by the next one before a
  // queued drop of the first runs.
  std::map<std::uint64_t, std::unique_ptr<WebBrowser>> browsers_;
  std::uint64_t accepted_ = 0;
  QJsonObject lastState_;
  QTimer telling_;  // a pending tell()
  WebRemoteStatus status_;
  Channel<> statusChanged_;
  QObject context_;  // last: queued calls to this object go with it
};

// The TLS configuration of a certificate and its key, PEM files; or why they cannot serve.
Result<QSslConfiguration> tlsFrom(const std::string& certificate, const std::string& key);

}  // namespace kiro
