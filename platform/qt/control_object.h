#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include <functional>
#include <string>

#include "app/remote_control.h"

namespace kiro {

inline constexpr const char* kControlPath = "/io/github/kiro_remote/KiroRemote";

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

  RemoteControl& control_;
  QDBusConnection bus_;
  Hooks hooks_;
  QDBusServiceWatcher callers_;  // those who pressed the shutter
  RemoteState last_;
};

}  // namespace kiro
