#include "app/managed_object_model.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace kiro {

namespace {

// A model is a few lines; anything larger is not one.
constexpr std::streamsize kMaxModelBytes = 4096;
constexpr std::string_view kDirective = "object-model ";

std::optional<long> parseVersion(std::string_view line) {
  if (!line.starts_with(kDirective)) return std::nullopt;
  line.remove_prefix(kDirective.size());
  long version = 0;
  auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), version);
  if (ec != std::errc() || end != line.data() + line.size() || version <= 0) return std::nullopt;
  // The store records the version in a 32-bit field.
  if (version > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return version;
}

ObjectStoreError invalid(const std::filesystem::path& location, std::string_view why) {
  return objectStoreError(ObjectStoreCode::modelInvalid,
                          format("The data model %@ is not valid: %@", location.string(), why));
}

}  // namespace

Result<ManagedObjectModel, ObjectStoreError> ManagedObjectModel::load(
    const std::filesystem::path& location) {
  std::error_code ec;
  std::ifstream file(location, std::ios::binary);
  if (!file || !std::filesystem::is_regular_file(location, ec)) {
    return objectStoreError(ObjectStoreCode::modelUnreadable,
                            format("The data model %@ cannot be read", location.string()));
  }
  std::string text(kMaxModelBytes + 1, '\0');
  file.read(text.data(), kMaxModelBytes + 1);
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (text.size() > static_cast<std::size_t>(kMaxModelBytes)) return invalid(location, "too large");

  std::optional<long> version;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    // Exactly one directive: a second one, even equal, means the file is not what we wrote.
    const std::optional<long> parsed = version ? std::nullopt : parseVersion(line);
    if (!parsed) {
      return invalid(location, format("line %d is not the one \"object-model <version>\" line", number));
    }
    version = parsed;
  }
  if (!version) return invalid(location, "it has no \"object-model <version>\" line");
  return ManagedObjectModel(*version);
}

}  // namespace kiro
