#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "app/documents_directory.h"
#include "tests/app/store_files.h"

namespace kiro {
namespace {

TEST(ObjectStoreDocumentsDirectory, FollowsTheDesktopsNameForTheDocumentsFolder) {
  store_test::TemporaryFolder folder;
  const std::string home = (folder.path() / "home").string();
  const std::string config = (folder.path() / "config").string();
  struct Case {
    const char* name;
    std::map<std::string, std::string> environment;
    std::optional<std::string> userDirs;  // the user-dirs.dirs file, written where the case reads it
    std::string expected;
  };
  const Case cases[] = {
      {"nothing set up", {{"HOME", home}}, std::nullopt, home + "/Documents"},
      {"the variable wins", {{"HOME", home}, {"XDG_DOCUMENTS_DIR", "/srv/docs"}},
       "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", "/srv/docs"},
      {"a relative variable is ignored", {{"HOME", home}, {"XDG_DOCUMENTS_DIR", "docs"}}, std::nullopt,
       home + "/Documents"},
      {"file under ~/.config", {{"HOME", home}},
       "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
       home + "/Dokumente"},
      {"file under $XDG_CONFIG_HOME", {{"HOME", home}, {"XDG_CONFIG_HOME", config}},
       "XDG_DOCUMENTS_DIR=\"/data/Documents\"\n", "/data/Documents"},
      {"escaped quote", {{"HOME", home}}, "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n",
       home + "/My \"Docs\""},
      {"the last entry counts", {{"HOME", home}},
       "XDG_DOCUMENTS_DIR=\"$HOME/Old\"\nXDG_DOCUMENTS_DIR=\"$HOME/New\"\n", home + "/New"},
      {"unquoted value", {{"HOME", home}}, "XDG_DOCUMENTS_DIR=$HOME/Docs\n", home + "/Documents"},
      {"$HOME glued to a name", {{"HOME", home}}, "XDG_DOCUMENTS_DIR=\"$HOMEDocs\"\n", home + "/Documents"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto configHome = c.environment.contains("XDG_CONFIG_HOME") ? config : home + "/.config";
    std::filesystem::remove_all(folder.path() / "home");
    std::filesystem::remove_all(folder.path() / "config");
    if (c.userDirs) store_test::writeFile(std::filesystem::path(configHome) / "user-dirs.dirs", *c.userDirs);

    const auto found = userDocumentsDirectory([&](const char* name) -> std::optional<std::string> {
      auto it = c.environment.find(name);
      if (it == c.environment.end()) return std::nullopt;
      return it->second;
    });

    EXPECT_EQ(found, std::filesystem::path(c.expected));
  }
}

}  // namespace
}  // namespace kiro
