#include "app/object_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <string>

#include "platform/log.h"
#include "platform/notices.h"
#include "tests/app/store_files.h"

namespace kiro {
namespace {

using namespace store_test;

TEST(ObjectStore, OnlyTheSaveMakesTheStackAndTheStoreFileWhichLaterRunsOpenUnchanged) {
  const auto documents = freshFolder() / "home" / "Documents";  // not there yet
  CapturingLog log;
  RecordingNotices notices;
  {
    ObjectStore store(documents, kShippedModel, log, notices);
    EXPECT_NE(store.managedObjectModel(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(documents));
    store.saveContext();
    ManagedObjectContext* context = store.managedObjectContext();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->persistentStoreCoordinator(), store.persistentStoreCoordinator());
    store.saveContext();
    EXPECT_EQ(store.managedObjectContext(), context);
  }
  const std::string firstRun = readFile(documents / "Tavrel.sqlite");
  ASSERT_FALSE(firstRun.empty());
  ObjectStore(documents, kShippedModel, log, notices).saveContext();
  EXPECT_EQ(readFile(documents / "Tavrel.sqlite"), firstRun);
  EXPECT_TRUE(log.lines.empty() && notices.said.empty());
}

// A model file holds one "object-model <version>" line among comments and blank lines.
TEST(ObjectStore, AnUnreadableOrInvalidModelLeavesTheStackUnmadeSaysWhyAndIsReadAgainNextTime) {
  const struct {
    std::string text;  // empty: a folder at the model's place
    const char* logged;  // nullptr: a valid model
  } cases[] = {
      {"", "Code=1"},
      {std::string("\x7f\0\xff", 3), "Code=2"},
      {"object-model 0\n", "Code=2"},
      {"object-model 2147483648\n", "Code=2"},  // beyond 32 bits
      {"object-model 1\nobject-model 1\n", "Code=2"},
      {"object-model 1\n" + std::string(5000, '#'), "Code=2"},
      {"# edited elsewhere\r\n\r\nobject-model 12\r\n# end\r\n", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto folder = freshFolder();
    const auto model = folder / "bundle" / "Tavrel.momd";
    if (c.text.empty())
      std::filesystem::create_directories(model);
    else
      writeFile(model, c.text);
    CapturingLog log;
    RecordingNotices notices;
    ObjectStore store(folder / "Documents", model, log, notices);
    store.saveContext();
    if (!c.logged) {
      EXPECT_EQ(store.managedObjectModel()->version(), 12);
      continue;
    }
    EXPECT_EQ(store.managedObjectContext(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "Documents"));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_TRUE(log.lines.front().starts_with(std::string("The saved data is not set up: Error Domain=ObjectStore ") +
                                              c.logged))
        << log.lines.front();
    std::filesystem::remove_all(model);
    writeFile(model, readFile(kShippedModel));
    EXPECT_NE(store.managedObjectContext(), nullptr);
  }
}

TEST(ObjectStoreDeathTest, AStoreThatCannotBeAddedLogsTheUnresolvedErrorAndEndsTheProcess) {
  const std::pair<std::function<void(const std::filesystem::path& documents)>, const char*> cases[] = {
      {[](const auto& d) { writeFile(d / "Tavrel.sqlite", std::string(4096, '\x5a')); },
       "Error Domain=SQLite Code=26 \"file is not a database\""},
      {[](const auto& d) {
         writeFile(d / "Tavrel.sqlite", "");
         sqlite3* db = nullptr;
         sqlite3_open((d / "Tavrel.sqlite").c_str(), &db);
         EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr), SQLITE_OK);
         sqlite3_close(db);
       },
       "Error Domain=ObjectStore Code=3 \"The file is not a store of this application\""},
      {[](const auto& d) {
         const auto model = freshFolder() / "Tavrel.momd";
         writeFile(model, "object-model 2\n");
         CapturingLog log;
         RecordingNotices notices;
         ObjectStore(d, model, log, notices).saveContext();
       },
       "Error Domain=ObjectStore Code=3 \"The store was made for version 2 of the data model, not version 1\""},
      {[](const auto& d) { writeFile(d, "not a folder"); }, "Error Domain="},
  };
  // "." stands for the opening brace of the user info, which the pattern would read as a repeat.
  const std::string expected =
      "Unresolved error Error Domain=YOUR_ERROR_DOMAIN Code=9999 \"Failed to initialize the application's "
      "saved data\", .localizedDescription = Failed to initialize the application's saved data; "
      "localizedFailureReason = There was an error creating or loading the application's saved data.; "
      "underlyingError = ";
  for (const auto& [prepare, underlying] : cases) {
    SCOPED_TRACE(underlying);
    const auto documents = freshFolder() / "Documents";
    prepare(documents);
    const auto place = std::filesystem::is_regular_file(documents) ? documents : documents / "Tavrel.sqlite";
    const std::string before = readFile(place);
    // A plain failing exit with the line on stderr, even when the log is quiet.
    EXPECT_EXIT(
        {
          CapturingLog quiet;
          StderrNotices notices;
          ObjectStore(documents, kShippedModel, quiet, notices).saveContext();
        },
        ::testing::ExitedWithCode(1), expected + underlying);
    EXPECT_EQ(readFile(place), before) << "the file that could not be used is left as it was";
  }
}

}  // namespace
}  // namespace kiro
