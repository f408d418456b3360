#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include <chrono>
#include <functional>
#include <utility>
#include <vector>
#include <string>

#include "app/remote_control.h"

namespace kiro {

inline constexpr const char* kControlPath = "/io/github/kiro_remote/KiroRemote";
// How long a desktop action that started the app waits for the remembered receiver.
inline constexpr std::chrono::milliseconds kConnectWait{10000};

// A call's answer, on any of the app's interfaces: a refusal as the control interface's
// error, else a reply; a call that changed something is told to called, when there is one.
QDBusMessage answerCall(const QDBusMessage& message, const ControlResult& result, bool changed,
                        const std::function<void(const std::string& method, const std::string& caller)>& called);

// The app on the session bus, on kControlPath: the desktop's org.freedesktop.Application
// (activate, actions) and the control interface io.github.kiro_remote.KiroRemote1, whose
// properties announce their changes with PropertiesChanged.
class ControlObject final : public QDBusVirtualObject {
 public:
  struct Hooks {
    std::function<void()> activate;  // raise the window; empty without one
    // A call that changed something: its method and the caller's bus name.
    std::function<void(const std::string& method, const std::string& caller)> called;
  };

  ControlObject(RemoteControl& control, QDBusConnection bus, Hooks hooks);

  // Announces what changed since the last time; call after anything the screen shows changed.
  void refresh();

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  QDBusMessage control(const QDBusMessage& message);
  QDBusMessage application(const QDBusMessage& message);
  QDBusMessage properties(const QDBusMessage& message) const;
  // changed: whether the call changed anything, which only then is told to hooks_.called.
  QDBusMessage answer(const QDBusMessage& message, const ControlResult& result = {}, bool changed = true);
  QVariantMap propertyValues() const;
  // A desktop action (shoot, focus, self-timer, stop) as the remote control does it.
  ControlResult runAction(const QString& action, const std::string& caller);
  // The receiver connected: the actions waiting for it act now and are answered.
  void answerWaiting();
  // The action waiting as id waited kConnectWait in vain: answered as not connected.
  void giveUpWaiting(int id);

  RemoteControl& control_;
  QDBusConnection bus_;
  Hooks hooks_;
  QDBusServiceWatcher callers_;  // those who pressed the shutter
  RemoteState last_;
  std::vector<std::pair<int, QDBusMessage>> waiting_;  // actions that came before the receiver connected
  int waited_ = 0;
};

}  // namespace kiro
