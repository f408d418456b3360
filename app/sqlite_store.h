#pragma once

#include <filesystem>
#include <memory>

#include "app/managed_object_model.h"
#include "app/object_store_error.h"
#include "base/result.h"

struct sqlite3;

namespace kiro {

// One SQLite store file, held open for as long as its coordinator lives.
class SqliteStore {
 public:
  // location: the store file, made for the model if it does not exist yet; an existing file
  // must be a store made for this model's version.
  static Result<std::unique_ptr<SqliteStore>, ObjectStoreError> open(
      const std::filesystem::path& location, const ManagedObjectModel& model);

  ~SqliteStore();
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

 private:
  explicit SqliteStore(sqlite3* connection) : connection_(connection) {}

  sqlite3* connection_;
};

}  // namespace kiro
