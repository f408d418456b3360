#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// What the person running the app is told: a failure, a fallback, a wait. The log may be
// quiet; a notice is always shown.
class Notices {
 public:
  virtual ~Notices() = default;
  // text: one line, as it reads after the app's name; text from outside (a receiver's name,
  // a file name, a daemon's reply) may be in it as it came.
  virtual void say(std::string_view text) = 0;
};

// Each notice a line on stderr, "kiro-remote: TEXT", made safe for a terminal.
class StderrNotices final : public Notices {
 public:
  void say(std::string_view text) override;
};

// Keeps every notice, for tests that check what a person was told.
class RecordingNotices final : public Notices {
 public:
  void say(std::string_view text) override { said.emplace_back(text); }
  std::vector<std::string> said;
};

}  // namespace kiro
