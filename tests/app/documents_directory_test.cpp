#include "app/documents_directory.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "tests/app/store_files.h"

namespace kiro {
namespace {

TEST(ObjectStoreDocumentsDirectory, FollowsTheDesktopsNameForTheDocumentsFolder) {
  const auto folder = store_test::freshFolder();
  const std::string home = (folder / "home").string();
  const std::string config = (folder / "config").string();
  const struct {
    std::map<std::string, std::string> environment;  // besides HOME
    std::optional<std::string> userDirs;  // the user-dirs.dirs file, written where the case reads it
    std::string expected;
  } cases[] = {
      {{}, std::nullopt, home + "/Documents"},
      {{{"XDG_DOCUMENTS_DIR", "/srv/docs"}}, "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", "/srv/docs"},
      {{{"XDG_DOCUMENTS_DIR", "docs"}}, std::nullopt, home + "/Documents"},  // not absolute
      {{}, "# by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Old\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
       home + "/Dokumente"},
      {{{"XDG_CONFIG_HOME", config}}, "XDG_DOCUMENTS_DIR=\"/data/Documents\"\n", "/data/Documents"},
      {{}, "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", home + "/My \"Docs\""},
      {{}, "XDG_DOCUMENTS_DIR=$HOME/Docs\n", home + "/Documents"},  // unquoted
      {{}, "XDG_DOCUMENTS_DIR=\"$HOMEDocs\"\n", home + "/Documents"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    std::filesystem::remove_all(folder);
    const auto configHome = c.environment.contains("XDG_CONFIG_HOME") ? config : home + "/.config";
    if (c.userDirs) store_test::writeFile(std::filesystem::path(configHome) / "user-dirs.dirs", *c.userDirs);
    const auto found = userDocumentsDirectory([&](const char* name) -> std::optional<std::string> {
      if (std::string(name) == "HOME") return home;
      const auto it = c.environment.find(name);
      return it == c.environment.end() ? std::nullopt : std::optional(it->second);
    });
    EXPECT_EQ(found, std::filesystem::path(c.expected));
  }
}

}  // namespace
}  // namespace kiro
