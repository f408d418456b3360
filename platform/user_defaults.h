#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>

namespace kiro {

using StringDictionary = std::map<std::string, std::string>;
using DefaultsValue = std::variant<std::string, StringDictionary>;

// The user defaults: small values under keys that survive restarts.
class UserDefaults {
 public:
  virtual ~UserDefaults() = default;

  // The stored value in place, whatever its type; null when nothing is stored under key.
  // Valid until the next set: a reader that runs every frame looks without copying.
  virtual const DefaultsValue* find(const std::string& key) const = 0;
  // key: where to store; value: replaces whatever was there.
  virtual void set(const std::string& key, const DefaultsValue& value) = 0;
  // Reads in what other runs stored since: a change of one key's value starts here, so that
  // it changes what is stored now, not what was read at start-up.
  virtual void reload() {}

  // Copies; a value of another type reads as absent.
  std::optional<std::string> string(const std::string& key) const;
  std::optional<StringDictionary> dictionary(const std::string& key) const;
  // The dictionary in place, as find gives it; null when absent or of another type.
  const StringDictionary* findDictionary(const std::string& key) const;
};

class MemoryUserDefaults final : public UserDefaults {
 public:
  const DefaultsValue* find(const std::string& key) const override;
  void set(const std::string& key, const DefaultsValue& value) override;

 private:
  std::map<std::string, DefaultsValue> values_;
};

}  // namespace kiro
