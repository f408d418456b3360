#include "platform/user_defaults.h"

#include <utility>

namespace kiro {

namespace {
// value: taken whole, so what it holds moves out instead of being copied again.
template <typename T>
std::optional<T> as(std::optional<DefaultsValue> value) {
  if (!value) return std::nullopt;
  if (T* held = std::get_if<T>(&*value)) return std::move(*held);
  return std::nullopt;
}
}  // namespace

std::optional<std::string> UserDefaults::string(const std::string& key) const {
  return as<std::string>(object(key));
}

std::optional<StringDictionary> UserDefaults::dictionary(const std::string& key) const {
  return as<StringDictionary>(object(key));
}

std::optional<DefaultsValue> MemoryUserDefaults::object(const std::string& key) const {
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void MemoryUserDefaults::set(const std::string& key, const DefaultsValue& value) {
  values_.insert_or_assign(key, value);
}

}  // namespace kiro
