#pragma once

#include <filesystem>
#include <string>

#include "platform/installed.h"
#include "base/result.h"
#include "ui/png_decoder.h"

namespace kiro {

// The folder of image files the screens name ("logo说明.png"), read as pictures.
class AssetCatalog {
 public:
  // directory: the folder holding the files; scale: pixels per point they are drawn at
  // (ours are drawn at twice their size in points).
  explicit AssetCatalog(std::filesystem::path directory, double scale = 2);

  const std::filesystem::path& directory() const { return directory_; }

  // name: a file name in the folder. A name that is not a plain file name, a missing or
  // unreadable file and a file that is not a sound PNG give an error naming it.
  Result<Picture> load(const std::string& name) const;

 private:
  std::filesystem::path directory_;
  double scale_;
};

// Installs a catalog for its own lifetime, restoring the previous one after.
using AssetCatalogScope = Installed<const AssetCatalog>;

// The installed catalog.
inline const AssetCatalog& assetCatalog() { return AssetCatalogScope::current("asset catalog"); }

}  // namespace kiro
