#include "platform/qt/ports/settings_user_defaults.h"

#include <QFile>
#include <QVariantMap>

#include "base/settings_file.h"

namespace kiro {

namespace {

QVariant toVariant(const DefaultsValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
  QVariantMap map;
  for (const auto& [name, entry] : std::get<StringDictionary>(value))
    map.insert(QString::fromStdString(name), QString::fromStdString(entry));
  return map;
}

}  // namespace

SettingsUserDefaults::SettingsUserDefaults(Notices& notices, const QString& path)
    : notices_(notices), path_(path), settings_(openSettings()) {}

std::unique_ptr<QSettings> SettingsUserDefaults::openSettings() const {
  return path_.isEmpty() ? std::make_unique<QSettings>() : std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

const DefaultsValue* SettingsUserDefaults::find(const std::string& key) const {
  if (const auto unsaved = unsaved_.find(key); unsaved != unsaved_.end()) return &unsaved->second;
  auto found = readValues_.find(key);
  if (found == readValues_.end()) found = readValues_.emplace(key, read(key)).first;
  return found->second ? &*found->second : nullptr;
}

std::optional<DefaultsValue> SettingsUserDefaults::read(const std::string& key) const {
  const QVariant stored = settings_->value(QString::fromStdString(key));
  if (!stored.isValid()) return std::nullopt;
  if (stored.typeId() == QMetaType::QString) return stored.toString().toStdString();
  // A hand-written line with a comma reads as a list: put together again as it was written.
  if (stored.typeId() == QMetaType::QStringList) return stored.toStringList().join(QStringLiteral(", ")).toStdString();
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

void SettingsUserDefaults::reload() {
  settings_ = openSettings();
  readValues_.clear();
}

void SettingsUserDefaults::set(const std::string& key, const DefaultsValue& value) {
  readValues_.clear();
  unsaved_.insert_or_assign(key, value);
  // The file may have been replaced since start-up: the rewrite would destroy what it holds now.
  if (const auto rewrite = safeToRewrite(); !rewrite.ok()) {
    notices_.say("a setting was not saved: " + rewrite.error().message);
    return;
  }
  // A fresh QSettings for each write: its status then tells of this write, not of an earlier
  // one that failed. The sync may also bring in what another instance wrote meanwhile.
  settings_ = openSettings();
  for (const auto& [name, unsaved] : unsaved_)
    settings_->setValue(QString::fromStdString(name), toVariant(unsaved));
  settings_->sync();
  if (const auto kept = keepsWrites(); !kept.ok()) {
    notices_.say("a setting was not saved: " + kept.error().message);
    return;
  }
  // It may hold the web remote's pairing secret: the user's alone.
  QFile::setPermissions(settings_->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  unsaved_.clear();
}

Result<> SettingsUserDefaults::keepsWrites() const {
  const std::string file = settings_->fileName().toStdString();
  if (settings_->status() == QSettings::AccessError || !settings_->isWritable())
    return Error{file + " cannot be written"};
  if (settings_->status() == QSettings::FormatError) return Error{file + " cannot be read as settings"};
  return {};
}

Result<> SettingsUserDefaults::safeToRewrite() const {
  const std::string file = settings_->fileName().toStdString();
  if (const auto checked = checkSettingsFile(file); !checked.ok())
    return Error{file + " is not a settings file of this app (" + checked.error().message +
                 "); it is left as it is"};
  return {};
}

}  // namespace kiro
