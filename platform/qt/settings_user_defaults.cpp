#include "platform/qt/settings_user_defaults.h"

#include <QVariantMap>

#include <iostream>

namespace kiro {

SettingsUserDefaults::SettingsUserDefaults(const QString& path)
    : settings_(path.isEmpty() ? std::make_unique<QSettings>()
                               : std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

std::optional<DefaultsValue> SettingsUserDefaults::object(const std::string& key) const {
  auto found = readValues_.find(key);
  if (found == readValues_.end()) found = readValues_.emplace(key, read(key)).first;
  return found->second;
}

std::optional<DefaultsValue> SettingsUserDefaults::read(const std::string& key) const {
  const QVariant stored = settings_->value(QString::fromStdString(key));
  if (!stored.isValid()) return std::nullopt;
  if (stored.typeId() == QMetaType::QString) return stored.toString().toStdString();
  if (stored.typeId() == QMetaType::QVariantMap) {
    StringDictionary dictionary;
    const QVariantMap map = stored.toMap();
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
      // A hand-edited entry that is not text makes the whole record unreadable, not half-read.
      if (entry.value().typeId() != QMetaType::QString) return std::nullopt;
      dictionary.emplace(entry.key().toStdString(), entry.value().toString().toStdString());
    }
    return dictionary;
  }
  return std::nullopt;
}

void SettingsUserDefaults::set(const std::string& key, const DefaultsValue& value) {
  QVariant stored;
  if (const auto* text = std::get_if<std::string>(&value)) {
    stored = QString::fromStdString(*text);
  } else {
    QVariantMap map;
    for (const auto& [name, entry] : std::get<StringDictionary>(value))
      map.insert(QString::fromStdString(name), QString::fromStdString(entry));
    stored = map;
  }
  settings_->setValue(QString::fromStdString(key), stored);
  // The sync may also bring in what another instance wrote meanwhile.
  settings_->sync();
  readValues_.clear();
  if (const auto why = problem()) std::cerr << "kiro-remote: a setting was not saved: " << *why << '\n';
}

std::optional<std::string> SettingsUserDefaults::problem() const {
  const std::string file = settings_->fileName().toStdString();
  if (settings_->status() == QSettings::AccessError || !settings_->isWritable())
    return file + " cannot be written";
  if (settings_->status() == QSettings::FormatError) return file + " cannot be read as settings";
  return std::nullopt;
}

}  // namespace kiro
