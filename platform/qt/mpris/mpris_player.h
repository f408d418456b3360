#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <string>

#include "app/remote_control.h"
#include "base/subscription.h"
#include "platform/qt/desktop/desktop.h"
#include "platform/qt/launch/launched_app.h"
#include "screens/remote/camera_view_controller.h"
#include "script/session_reports.h"

namespace kiro {

inline constexpr const char* kMprisName = "org.mpris.MediaPlayer2.kiro_remote";
inline constexpr const char* kMprisPath = "/org/mpris/MediaPlayer2";

// The remote as the desktop's media player (MPRIS 2.2), for media keys, headsets and watches:
// Play and PlayPause take a shot as a hand's brisk press of R, Next toggles F, Stop stops a
// series, the rest do nothing. Everything goes through the remote control, so a refusal is a
// D-Bus error as on the control interface. PlaybackStatus and Metadata follow the screen and
// announce their changes with PropertiesChanged.
class MprisPlayer final : public QDBusVirtualObject {
 public:
  struct Hooks {
    std::function<void()> raise;  // raise the window; empty without one
    // A call that changed something: its method and the caller's bus name.
    std::function<void(const std::string& method, const std::string& caller)> called;
  };

  // remote: the screen whose label and series the metadata shows. Both must outlive it.
  MprisPlayer(RemoteControl& control, const cameraViewController& remote, QDBusConnection bus, Hooks hooks);

  // Announces what changed since the last time; call after anything the screen shows changed.
  void refresh();
  // changes: the subscription that calls refresh, kept as long as this.
  void follow(Subscription changes) { following_ = std::move(changes); }

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  QDBusMessage root(const QDBusMessage& message);
  QDBusMessage player(const QDBusMessage& message);
  QDBusMessage properties(const QDBusMessage& message) const;
  // An answer to a call that went through the control: changed tells hooks_.called.
  QDBusMessage answer(const QDBusMessage& message, const ControlResult& result, bool changed);
  QVariantMap playerValues() const;

  RemoteControl& control_;
  const cameraViewController& remote_;
  QDBusConnection bus_;
  Hooks hooks_;
  QVariantMap last_;  // the player's properties as last announced
  Subscription following_;
};

// The player on the session bus under kMprisName, refreshed on each change desktop sees; null
// without a session bus (desktop says so) or when another run owns the name, said here. Called
// before the event loop runs. All must outlive it.
std::unique_ptr<MprisPlayer> exportMprisPlayer(LaunchedApp& app, Desktop& desktop, SessionReports& reports);

}  // namespace kiro
