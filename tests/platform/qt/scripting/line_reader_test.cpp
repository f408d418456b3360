#include "platform/qt/scripting/line_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/platform/qt/fake_bluez.h"

namespace kiro {
namespace {

struct Heard {
  std::vector<std::string> lines;
  std::optional<std::string> end;
};

// Lines split across writes come whole and in order, the last one without its newline too,
// then a normal end; one past the limit comes as nullopt; an input that cannot be read ends
// with the system's reason.
TEST(LineReader, GivesWholeLinesThenTheEndOrWhyTheInputCannotBeRead) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  Heard piped;
  // At most 10 bytes a line: "tap search" is kept, "wait 10000 " is not.
  LineReader fromPipe(
      ends[0], 10, [&](std::optional<std::string> line) { piped.lines.push_back(line.value_or("-")); },
      [&](const std::string& error) { piped.end = error; });
  ASSERT_EQ(::write(ends[1], "tap se", 6), 6);
  spinUntil([] { return false; }, std::chrono::milliseconds(20));  // the half line is read alone
  ASSERT_EQ(::write(ends[1], "arch\nwait 1\nwait 10000 \nquit", 28), 28);
  ::close(ends[1]);
  ASSERT_TRUE(spinUntil([&] { return piped.end.has_value(); }));
  EXPECT_EQ(piped.lines, (std::vector<std::string>{"tap search", "wait 1", "-", "quit"}));
  EXPECT_EQ(piped.end, "");
  ::close(ends[0]);

  const int folder = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  Heard unreadable;
  LineReader fromFolder(folder, 10, [&](std::optional<std::string> line) { unreadable.lines.push_back(*line); },
                        [&](const std::string& error) { unreadable.end = error; });
  ASSERT_TRUE(spinUntil([&] { return unreadable.end.has_value(); }));
  EXPECT_TRUE(unreadable.lines.empty());
  EXPECT_EQ(unreadable.end, "Is a directory");
  ::close(folder);
}

}  // namespace
}  // namespace kiro
