#include "link/command_acceptance.h"

#include "platform/central.h"

namespace kiro {

void CommandAcceptance::connected() {
  reason_.clear();
  said_ = false;
}

void CommandAcceptance::refused(const Peripheral& peripheral, const std::string& reason) {
  reason_ = reason;
  if (said_) return;
  said_ = true;
  // The log may be quiet, and the label still reads "connected".
  const std::string name = peripheral.name().value_or(peripheral.identifier().UUIDString());
  notices_.say(name + " does not accept commands: " + reason);
}

void CommandAcceptance::writeAccepted() { reason_.clear(); }

}  // namespace kiro
