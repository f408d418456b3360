#include "ui/asset_catalog.h"

#include <cstdint>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace kiro {

namespace {

// Far above any picture we ship; a bigger file is not read into memory.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

// Only a name inside the folder: no separators, no "." or "..".
bool isPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

}  // namespace

AssetCatalog::AssetCatalog(std::filesystem::path directory, double scale)
    : directory_(std::move(directory)), scale_(scale) {}

Result<Picture> AssetCatalog::load(const std::string& name) const {
  auto failure = [&name](const std::string& why) { return Error{"\"" + name + "\": " + why}; };
  if (!isPlainFileName(name)) return failure("not a file name");

  const std::filesystem::path path = directory_ / name;
  std::error_code error;
  const auto bytes = std::filesystem::file_size(path, error);
  if (error) return failure("cannot be read (" + error.message() + ")");
  if (bytes > kMaxFileBytes) return failure("file too large");

  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(bytes));
  if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size())))
    return failure("cannot be read");

  auto decoded = decodePng(data, scale_);
  if (!decoded.ok()) return failure(decoded.error().message);
  return decoded;
}

}  // namespace kiro
