#pragma once

#include <string>
#include <string_view>

#include "platform/log.h"

namespace kiro::test {

// The rows of the connection requests the link manager took, in turn ("1 0 "), as its log
// tells them.
inline std::string linkRequests(const CapturingLog& log) {
  constexpr std::string_view kTaken = "接收到通知方法-进入连接操作";
  constexpr std::string_view kRow = "得到的值是:";
  std::string rows;
  for (std::size_t i = 0; i + 1 < log.lines.size(); ++i)
    if (log.lines[i] == kTaken && log.lines[i + 1].starts_with(kRow)) rows += log.lines[i + 1].substr(kRow.size()) + " ";
  return rows;
}

}  // namespace kiro::test
