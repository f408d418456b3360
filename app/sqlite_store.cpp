#include "app/sqlite_store.h"

#include <sqlite3.h>

#include <optional>
#include <string>

namespace kiro {

namespace {

// Marks a file as one of our stores ("Tavr"), so a database of anything else is never adopted.
constexpr long kStoreApplicationId = 0x54617672;
constexpr std::string_view kSqliteDomain = "SQLite";
// Another run of the app may hold the store's lock for a moment: wait for it rather than fail.
constexpr int kBusyTimeoutMs = 5000;

// Done, or what the store reported.
using StoreStep = Result<void, ObjectStoreError>;

struct ConnectionCloser {
  void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

ObjectStoreError sqliteError(sqlite3* connection, int code) {
  const char* message = connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(code);
  return {std::string(kSqliteDomain), code, message, std::nullopt, nullptr};
}

StoreStep execute(sqlite3* connection, const std::string& sql) {
  const int code = sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) return sqliteError(connection, sqlite3_extended_errcode(connection));
  return {};
}

// sql yields one integer, stored in result.
StoreStep queryInteger(sqlite3* connection, const char* sql, long& result) {
  sqlite3_stmt* raw = nullptr;
  const int prepared = sqlite3_prepare_v2(connection, sql, -1, &raw, nullptr);
  const std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(raw);
  if (prepared != SQLITE_OK || sqlite3_step(raw) != SQLITE_ROW) {
    return sqliteError(connection, sqlite3_extended_errcode(connection));
  }
  result = static_cast<long>(sqlite3_column_int64(raw, 0));
  return {};
}

// Marks a new, empty file as a store of this model, or checks that an existing one is,
// all under one write lock so two processes cannot both set up the same file.
StoreStep prepareStore(sqlite3* connection, const ManagedObjectModel& model) {
  long applicationId = 0;
  long tables = 0;
  long version = 0;
  if (auto step = execute(connection, "BEGIN IMMEDIATE"); !step.ok()) return step;
  if (auto step = queryInteger(connection, "PRAGMA application_id", applicationId); !step.ok()) return step;
  if (auto step = queryInteger(connection, "SELECT count(*) FROM sqlite_schema", tables); !step.ok()) return step;
  if (auto step = queryInteger(connection, "PRAGMA user_version", version); !step.ok()) return step;

  if (applicationId == 0 && tables == 0 && version == 0) {
    const std::string mark = "PRAGMA application_id = " + std::to_string(kStoreApplicationId) +
                             "; PRAGMA user_version = " + std::to_string(model.version());
    if (auto step = execute(connection, mark); !step.ok()) return step;
  } else if (applicationId != kStoreApplicationId) {
    return objectStoreError(ObjectStoreCode::storeIncompatible, "The file is not a store of this application");
  } else if (version != model.version()) {
    return objectStoreError(
        ObjectStoreCode::storeIncompatible,
        format("The store was made for version %ld of the data model, not version %ld", version, model.version()));
  }
  return execute(connection, "COMMIT");
}

}  // namespace

Result<std::unique_ptr<SqliteStore>, ObjectStoreError> SqliteStore::open(
    const std::filesystem::path& location, const ManagedObjectModel& model) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(location.c_str(), &raw,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE, nullptr);
  Connection connection(raw);
  if (opened != SQLITE_OK) return sqliteError(raw, opened);
  sqlite3_busy_timeout(raw, kBusyTimeoutMs);
  // Closing the connection on an error rolls back the half-done transaction.
  if (auto prepared = prepareStore(raw, model); !prepared.ok()) return prepared.error();
  return std::unique_ptr<SqliteStore>(new SqliteStore(connection.release()));
}

SqliteStore::~SqliteStore() { sqlite3_close_v2(connection_); }

}  // namespace kiro
