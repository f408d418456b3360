#pragma once

#include "platform/log.h"

namespace kiro {

// The system log (syslog on Linux), and stderr too when verbose.
class SystemLog final : public Log {
 public:
  explicit SystemLog(bool verbose);
  ~SystemLog() override;
  SystemLog(const SystemLog&) = delete;
  SystemLog& operator=(const SystemLog&) = delete;

  void line(std::string_view text) override;

 private:
  bool verbose_;
};

}  // namespace kiro
