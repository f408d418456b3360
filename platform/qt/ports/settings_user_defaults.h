#pragma once

#include <QSettings>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/result.h"
#include "platform/notices.h"
#include "platform/user_defaults.h"

namespace kiro {

// The user defaults in QSettings: the platform's native store, or an INI file when a path
// is given. Every write is flushed at once, so it survives a crash a moment later; a write
// that cannot be saved is said to the user, and what was set stays readable for this run and
// is saved with the next write that can be. A file that has stopped being a settings file
// (see checkSettingsFile) is never rewritten.
// A value once read is kept as read until the next write: the remote screen reads the
// remembered receiver at every frame's "update".
class SettingsUserDefaults final : public UserDefaults {
 public:
  // notices: told of each write that is not saved; it must outlive this. path: an INI file
  // to use instead of the native store; empty for the native one.
  explicit SettingsUserDefaults(Notices& notices, const QString& path = {});

  const DefaultsValue* find(const std::string& key) const override;
  void set(const std::string& key, const DefaultsValue& value) override;
  void reload() override;

  // Whether what is written is kept, or why not (a file or folder that cannot be written or
  // read).
  Result<> keepsWrites() const;
  // Whether the file may be rewritten, or why a rewrite would damage it (it has text that is
  // not ours), said with its name.
  Result<> safeToRewrite() const;

 private:
  std::unique_ptr<QSettings> openSettings() const;
  std::optional<DefaultsValue> read(const std::string& key) const;

  Notices& notices_;
  QString path_;
  std::unique_ptr<QSettings> settings_;
  mutable std::unordered_map<std::string, std::optional<DefaultsValue>> readValues_;
  // Values set whose write failed or was refused.
  std::map<std::string, DefaultsValue> unsaved_;
};

}  // namespace kiro
