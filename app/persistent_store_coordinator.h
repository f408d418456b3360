#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "app/managed_object_model.h"
#include "app/object_store_error.h"
#include "app/sqlite_store.h"
#include "base/result.h"

namespace kiro {

// Holds the stores that keep the objects of one model.
class PersistentStoreCoordinator {
 public:
  // model: must outlive the coordinator.
  explicit PersistentStoreCoordinator(const ManagedObjectModel& model) : model_(model) {}

  // location: the SQLite store file, made with its folder if missing. Returns the store's
  // error when the file cannot be opened or is not a store of this model.
  Result<void, ObjectStoreError> addPersistentStore(const std::filesystem::path& location);

 private:
  const ManagedObjectModel& model_;
  std::vector<std::unique_ptr<SqliteStore>> stores_;
};

}  // namespace kiro
