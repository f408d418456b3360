#include "platform/user_defaults.h"

namespace kiro {

namespace {
template <typename T>
std::optional<T> copyOf(const T* value) {
  if (value == nullptr) return std::nullopt;
  return *value;
}
}  // namespace

std::optional<std::string> UserDefaults::string(const std::string& key) const {
  const DefaultsValue* value = find(key);
  return copyOf(value == nullptr ? nullptr : std::get_if<std::string>(value));
}

std::optional<StringDictionary> UserDefaults::dictionary(const std::string& key) const {
  return copyOf(findDictionary(key));
}

const StringDictionary* UserDefaults::findDictionary(const std::string& key) const {
  const DefaultsValue* value = find(key);
  return value == nullptr ? nullptr : std::get_if<StringDictionary>(value);
}

const DefaultsValue* MemoryUserDefaults::find(const std::string& key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? nullptr : &found->second;
}

void MemoryUserDefaults::set(const std::string& key, const DefaultsValue& value) {
  values_.insert_or_assign(key, value);
}

}  // namespace kiro
