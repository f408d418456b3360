#pragma once

#include <string>

#include "platform/notices.h"

namespace kiro {

class Peripheral;

// Whether the connected receiver takes the command frames. One without the command
// characteristic, or one that refuses every write, still reads "connected" while R does
// nothing: a person must be told. Judged anew at each connection, from what the receiver
// lists and how it answers writes.
class CommandAcceptance {
 public:
  // notices: where a person is told; it must outlive this.
  explicit CommandAcceptance(Notices& notices) : notices_(notices) {}

  bool accepted() const { return reason_.empty(); }
  // Why commands do not get through; empty while they do.
  const std::string& reason() const { return reason_; }

  // A connection starts: nothing is known against it yet.
  void connected();
  // peripheral cannot take commands, for reason. Said once a connection.
  void refused(const Peripheral& peripheral, const std::string& reason);
  void writeAccepted();

 private:
  Notices& notices_;
  std::string reason_;
  bool said_ = false;  // this connection
};

}  // namespace kiro
