#pragma once

#include "platform/log.h"

namespace kiro {

// With verbose, every line goes to stderr and to the system log (syslog, at debug
// priority); without, nobody listens and lines are not even built.
class SystemLog final : public Log {
 public:
  explicit SystemLog(bool verbose);
  ~SystemLog() override;
  SystemLog(const SystemLog&) = delete;
  SystemLog& operator=(const SystemLog&) = delete;

  bool listening() const override { return verbose_; }
  void line(std::string_view text) override;

 private:
  bool verbose_;
  bool syslogRuns_ = false;
};

}  // namespace kiro
