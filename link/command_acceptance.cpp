#include "link/command_acceptance.h"

#include <iostream>

#include "platform/central.h"
#include "base/terminal_text.h"

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
  std::cerr << "kiro-remote: " << terminalSafe(peripheral.name().value_or(peripheral.identifier().UUIDString()))
            << " does not accept commands: " << terminalSafe(reason) << '\n';
}

void CommandAcceptance::writeAccepted() { reason_.clear(); }

}  // namespace kiro
