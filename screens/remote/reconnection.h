#pragma once

#include <cstddef>
#include <memory>

#include "link/link_manager.h"
#include "ui/label.h"

namespace kiro {

// The remembered receiver as each update lists it: its state in the status label, and a
// request to connect it while it reads disconnected and the link manager's connectionFlag
// is 1.
class Reconnection {
 public:
  Reconnection() = default;
  Reconnection(const Reconnection&) = delete;
  Reconnection& operator=(const Reconnection&) = delete;

  // The remembered receiver's state.
  const std::shared_ptr<Label>& testLabel() const { return testLabel_; }
  // The remembered receiver's name, or that none is chosen yet.
  const std::shared_ptr<Label>& receiverLine() const { return receiverLine_; }
  // Empty, or says that the connected receiver does not take commands.
  const std::shared_ptr<Label>& commandsLine() const { return commandsLine_; }
  // Whether the remembered receiver's link is up, as the label shows it.
  bool connected() const { return connected_; }

  // One update: list is the registry's live list.
  void change(const SharedPeripheralList& list);
  // Shows the remembered receiver's name, as each update does.
  void showRemembered();

 private:
  void show(PeripheralState state);
  void requestConnection(std::size_t index);

  std::shared_ptr<Label> testLabel_ = std::make_shared<Label>();
  std::shared_ptr<Label> commandsLine_ = std::make_shared<Label>();
  std::shared_ptr<Label> receiverLine_ = std::make_shared<Label>();
  bool connected_ = false;
};

}  // namespace kiro
