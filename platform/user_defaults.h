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

  // The stored value, whatever its type; nullopt when nothing is stored under key.
  virtual std::optional<DefaultsValue> object(const std::string& key) const = 0;
  // key: where to store; value: replaces whatever was there.
  virtual void set(const std::string& key, const DefaultsValue& value) = 0;

  // A value of another type reads as absent.
  std::optional<std::string> string(const std::string& key) const;
  std::optional<StringDictionary> dictionary(const std::string& key) const;
};

class MemoryUserDefaults final : public UserDefaults {
 public:
  std::optional<DefaultsValue> object(const std::string& key) const override;
  void set(const std::string& key, const DefaultsValue& value) override;

 private:
  std::map<std::string, DefaultsValue> values_;
};

}  // namespace kiro
