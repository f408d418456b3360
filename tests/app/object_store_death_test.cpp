#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/object_store.h"
#include "platform/log.h"
#include "tests/app/store_files.h"

namespace kiro {
namespace {

using namespace store_test;

std::string escapeRegex(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::string_view(".[]{}()\\*+?^$|").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

void makeForeignDatabase(const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

void makeStoreOfAnotherModel(const std::filesystem::path& documents) {
  TemporaryFolder bundle;
  writeFile(bundle.path() / "Tavrel.momd", "object-model 2\n");
  CapturingLog log;
  ObjectStore(documents, bundle.path() / "Tavrel.momd", log).saveContext();
  ASSERT_TRUE(log.lines.empty());
}

TEST(ObjectStoreDeathTest, AStoreThatCannotBeAddedLogsTheUnresolvedErrorAndEndsTheProcess) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path& documents)> prepare;
    const char* underlying;
  };
  const Case cases[] = {
      {"random bytes", [](const auto& d) { writeFile(d / "Tavrel.sqlite", std::string(4096, '\x5a')); },
       "Error Domain=SQLite Code=26 \"file is not a database\""},
      {"another program's database", [](const auto& d) { makeForeignDatabase(d / "Tavrel.sqlite"); },
       "Error Domain=ObjectStore Code=3 \"The file is not a store of this application\""},
      {"a store of another model", [](const auto& d) { makeStoreOfAnotherModel(d); },
       "Error Domain=ObjectStore Code=3 \"The store was made for version 2 of the data model, not version 1\""},
      {"a folder in the store's place",
       [](const auto& d) { std::filesystem::create_directories(d / "Tavrel.sqlite"); },
       "Error Domain=SQLite Code="},
      {"a file in the documents folder's place", [](const auto& d) { writeFile(d, "not a folder"); },
       "Error Domain="},
  };
  const std::string expected =
      "Unresolved error Error Domain=YOUR_ERROR_DOMAIN Code=9999 \"Failed to initialize the application's "
      "saved data\", {localizedDescription = Failed to initialize the application's saved data; "
      "localizedFailureReason = There was an error creating or loading the application's saved data.; "
      "underlyingError = ";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    const auto documents = folder.path() / "Documents";
    c.prepare(documents);
    const auto place = std::filesystem::is_regular_file(documents) ? documents : documents / "Tavrel.sqlite";
    const bool isFile = std::filesystem::is_regular_file(place);
    const std::string before = isFile ? readFile(place) : std::string();

    // A plain failing exit with the line on stderr, even when the log is quiet.
    EXPECT_EXIT(
        {
          CapturingLog quiet;
          ObjectStore(documents, shippedModel(), quiet).saveContext();
        },
        ::testing::ExitedWithCode(1), escapeRegex(expected + c.underlying));

    if (isFile) {
      EXPECT_EQ(readFile(place), before) << "the file that could not be used is left as it was";
    }
  }
}

}  // namespace
}  // namespace kiro
