#include "app/documents_directory.h"

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace kiro {

namespace {

constexpr std::string_view kEntry = "XDG_DOCUMENTS_DIR=";
constexpr std::string_view kHomePrefix = "$HOME";

std::optional<std::filesystem::path> absolute(const std::optional<std::string>& value) {
  if (!value || value->empty() || value->front() != '/') return std::nullopt;
  return std::filesystem::path(*value);
}

// The value of a `"..."` entry: backslash escapes the next character, "$HOME" may lead.
std::optional<std::filesystem::path> entryPath(std::string_view quoted, const std::filesystem::path& home) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
  quoted = quoted.substr(1, quoted.size() - 2);
  std::string value;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    value += quoted[i];
  }
  if (value.starts_with(kHomePrefix)) {
    const std::filesystem::path rest = value.substr(kHomePrefix.size());
    if (!rest.empty() && !rest.has_root_directory()) return std::nullopt;
    return rest.relative_path().empty() ? home : home / rest.relative_path();
  }
  return absolute(value);
}

std::optional<std::filesystem::path> fromUserDirsFile(const std::filesystem::path& file,
                                                      const std::filesystem::path& home) {
  std::ifstream in(file);
  std::optional<std::filesystem::path> found;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(kEntry)) found = entryPath(std::string_view(line).substr(kEntry.size()), home);
  }
  return found;
}

}  // namespace

std::filesystem::path userDocumentsDirectory(const EnvironmentLookup& environment) {
  if (auto fromEnvironment = absolute(environment("XDG_DOCUMENTS_DIR"))) return *fromEnvironment;
  const std::filesystem::path home = environment("HOME").value_or(".");
  const std::filesystem::path config = absolute(environment("XDG_CONFIG_HOME")).value_or(home / ".config");
  return fromUserDirsFile(config / "user-dirs.dirs", home).value_or(home / "Documents");
}

std::filesystem::path userDocumentsDirectory() {
  return userDocumentsDirectory([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  });
}

}  // namespace kiro
