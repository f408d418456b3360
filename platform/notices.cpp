#include "platform/notices.h"

#include <iostream>

#include "base/terminal_text.h"

namespace kiro {

void StderrNotices::say(std::string_view text) {
  // One write a line: the log's lines go to stderr too.
  std::cerr << "kiro-remote: " + terminalSafe(text) + '\n';
}

}  // namespace kiro
