#pragma once

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <QWebSocket>

#include <functional>
#include <memory>
#include <string>

#include "app/remote_control.h"
#include "platform/user_defaults.h"

namespace kiro {

// One paired browser's socket. It acts through the remote control as the caller named by
// its address, and holds the shutter only while the page keeps saying so: a press is let
// go when no heartbeat came for kHeartbeat, on the page's let-go, and when the socket closes.
// A message that is not one of the page's closes this socket, and only it.
class WebBrowser {
 public:
  static constexpr std::chrono::milliseconds kHeartbeat{500};
  static constexpr qint64 kMostMessageBytes = 4096;
  // A browser that stops reading (a stalled network) is closed before what waits for it grows.
  static constexpr qint64 kMostUnsentBytes = 256 * 1024;

  struct Hooks {
    // A call that changed something: its verb and the caller.
    std::function<void(const std::string& verb, const std::string& caller)> called;
    std::function<void()> closed;  // the socket closed; the hooks' owner then drops this
  };

  // control, defaults (the presets): must outlive it.
  WebBrowser(std::unique_ptr<QWebSocket> socket, RemoteControl& control, const UserDefaults& defaults, Hooks hooks);
  ~WebBrowser();
  WebBrowser(const WebBrowser&) = delete;
  WebBrowser& operator=(const WebBrowser&) = delete;

  const std::string& caller() const { return caller_; }
  void send(const QJsonObject& message);
  // Shuts the socket, as when the pairing was renewed.
  void close();

 private:
  void received(const QString& text);
  ControlResult act(const QJsonObject& message, const QString& verb);
  void letGo();

  std::unique_ptr<QWebSocket> socket_;
  RemoteControl& control_;
  const UserDefaults& defaults_;
  Hooks hooks_;
  std::string caller_;
  QTimer heartbeat_;  // runs while this browser holds the shutter
  bool open_ = true;
};

}  // namespace kiro
