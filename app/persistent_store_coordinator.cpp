#include "app/persistent_store_coordinator.h"

#include <system_error>

namespace kiro {

Result<void, ObjectStoreError> PersistentStoreCoordinator::addPersistentStore(
    const std::filesystem::path& location) {
  // A fresh desktop account may have no documents folder yet.
  std::error_code ec;
  if (location.has_parent_path()) std::filesystem::create_directories(location.parent_path(), ec);
  if (ec) return ObjectStoreError{ec.category().name(), ec.value(), ec.message(), std::nullopt, nullptr};

  auto opened = SqliteStore::open(location, model_);
  if (!opened.ok()) return opened.error();
  stores_.push_back(std::move(opened).value());
  return {};
}

}  // namespace kiro
