#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/object_store.h"
#include "platform/log.h"
#include "tests/app/store_files.h"

namespace kiro {
namespace {

using namespace store_test;

long countTables(const std::filesystem::path& store) {
  sqlite3* db = nullptr;
  long tables = -1;
  if (sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      tables = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return tables;
}

TEST(ObjectStore, ARunWithoutSaveContextMakesNoStoreFile) {
  TemporaryFolder folder;
  const auto documents = folder.path() / "Documents";
  CapturingLog log;
  {
    ObjectStore store(documents, shippedModel(), log);
    EXPECT_NE(store.managedObjectModel(), nullptr);
    EXPECT_EQ(store.applicationDocumentsDirectory(), documents);
  }
  EXPECT_FALSE(std::filesystem::exists(documents));
  EXPECT_TRUE(log.lines.empty());
}

TEST(ObjectStore, TheFirstSaveCreatesAnEmptyStoreInTheDocumentsFolderAndLogsNothing) {
  TemporaryFolder folder;
  const auto documents = folder.path() / "home" / "Documents";  // not there yet
  CapturingLog log;
  ObjectStore store(documents, shippedModel(), log);

  store.saveContext();

  const auto file = documents / "Tavrel.sqlite";
  ASSERT_TRUE(std::filesystem::is_regular_file(file));
  EXPECT_EQ(countTables(file), 0) << "a store without entities holds no tables";
  EXPECT_TRUE(log.lines.empty());

  // Each piece is made once and wired to the one before it.
  ManagedObjectContext* context = store.managedObjectContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->persistentStoreCoordinator(), store.persistentStoreCoordinator());
  store.saveContext();
  EXPECT_EQ(store.managedObjectContext(), context);
}

TEST(ObjectStore, ALaterRunOpensTheExistingStoreWithoutChangingIt) {
  TemporaryFolder folder;
  const auto file = folder.path() / "Tavrel.sqlite";
  CapturingLog log;
  ObjectStore(folder.path(), shippedModel(), log).saveContext();
  const std::string firstRun = readFile(file);
  ASSERT_FALSE(firstRun.empty());

  ObjectStore secondRun(folder.path(), shippedModel(), log);
  secondRun.saveContext();

  EXPECT_NE(secondRun.managedObjectContext(), nullptr);
  EXPECT_EQ(readFile(file), firstRun);
  EXPECT_TRUE(log.lines.empty());
}

TEST(ObjectStore, AMissingOrInvalidModelLeavesTheStackUnmadeSaysWhyAndRecovers) {
  struct Case {
    const char* name;
    std::optional<std::string> text;  // std::nullopt: a folder, or nothing, at that path
    bool folder;
    const char* logged;
  };
  const Case cases[] = {
      {"missing", std::nullopt, false, "Error Domain=ObjectStore Code=1"},
      {"a folder", std::nullopt, true, "Error Domain=ObjectStore Code=1"},
      {"binary", std::string("\x7f\0\xff", 3), false, "Error Domain=ObjectStore Code=2"},
      {"beyond 32 bits", "object-model 2147483648\n", false, "Error Domain=ObjectStore Code=2"},
      {"two directives", "object-model 1\nobject-model 1\n", false, "Error Domain=ObjectStore Code=2"},
      {"too large", "object-model 1\n" + std::string(5000, '#'), false, "Error Domain=ObjectStore Code=2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    const auto model = folder.path() / "bundle" / "Tavrel.momd";
    if (c.text) writeFile(model, *c.text);
    if (c.folder) std::filesystem::create_directories(model);
    CapturingLog log;
    ObjectStore store(folder.path() / "Documents", model, log);

    store.saveContext();

    EXPECT_EQ(store.managedObjectContext(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Documents"));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_TRUE(log.lines.front().starts_with(std::string("The saved data is not set up: ") + c.logged))
        << log.lines.front();

    std::filesystem::remove_all(model);
    writeFile(model, readFile(shippedModel()));
    store.saveContext();
    EXPECT_NE(store.managedObjectContext(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Documents" / "Tavrel.sqlite"));
  }
}

}  // namespace
}  // namespace kiro
