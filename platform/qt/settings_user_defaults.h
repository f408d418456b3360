#pragma once

#include <QSettings>
#include <memory>

#include "platform/user_defaults.h"

namespace kiro {

// The user defaults in QSettings: the platform's native store, or an INI file when a path
// is given. Every write is flushed at once, so it survives a crash a moment later.
class SettingsUserDefaults final : public UserDefaults {
 public:
  // path: an INI file to use instead of the native store; empty for the native one.
  explicit SettingsUserDefaults(const QString& path = {});

  std::optional<DefaultsValue> object(const std::string& key) const override;
  void set(const std::string& key, const DefaultsValue& value) override;

  // Whether the store could be read and written; false on a broken or read-only file.
  bool healthy() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace kiro
