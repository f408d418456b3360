#pragma once

#include <filesystem>
#include <string>

#include "platform/ui/png_decoder.h"

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
  LoadedPicture load(const std::string& name) const;

 private:
  std::filesystem::path directory_;
  double scale_;
};

// The installed catalog; the folder "assets" of the working directory when none is installed.
const AssetCatalog& assetCatalog();

// Installs a catalog for its own lifetime, restoring the previous one after.
class AssetCatalogScope {
 public:
  explicit AssetCatalogScope(AssetCatalog catalog);
  ~AssetCatalogScope();
  AssetCatalogScope(const AssetCatalogScope&) = delete;
  AssetCatalogScope& operator=(const AssetCatalogScope&) = delete;

 private:
  AssetCatalog catalog_;
  const AssetCatalog* previous_;
};

}  // namespace kiro
