#include "platform/sim/simulated_radio.h"

#include <algorithm>
#include <array>

#include "platform/sim/simulated_central.h"

namespace kiro {

SimulatedRadio::SimulatedRadio(RunLoop& runLoop) : runLoop_(runLoop) {}

SimulatedRadio::~SimulatedRadio() {
  lifetime_.end();
  // Centrals should be gone by now; any left behind go quiet rather than dangle.
  for (SimulatedCentral* central : centrals_) central->radioGone();
}

Result<SimulatedReceiver*> SimulatedRadio::addReceiver(SimulatedReceiver::Options options) {
  if (options.identifier == Uuid{}) options.identifier = freshIdentifier();
  if (receiver(options.identifier) != nullptr)
    return Error{"a receiver " + options.identifier.UUIDString() + " exists already"};
  receivers_.push_back(std::unique_ptr<SimulatedReceiver>(new SimulatedReceiver(*this, std::move(options))));
  SimulatedReceiver* added = receivers_.back().get();
  receiverChanged(*added);
  return added;
}

SimulatedReceiver& SimulatedRadio::addReceiver(std::optional<std::string> advertisedName) {
  SimulatedReceiver::Options options;
  options.advertisedName = std::move(advertisedName);
  // A fresh identifier is never taken.
  return *addReceiver(std::move(options)).value();
}

SimulatedReceiver* SimulatedRadio::receiver(const Uuid& identifier) {
  auto found = std::find_if(receivers_.begin(), receivers_.end(),
                            [&](const auto& receiver) { return receiver->identifier() == identifier; });
  return found == receivers_.end() ? nullptr : found->get();
}

void SimulatedRadio::setPowered(bool on) {
  if (on == powered_) return;
  powered_ = on;
  forEachCentral([on](SimulatedCentral& central) { central.powerChanged(on); });
}

CentralFactory SimulatedRadio::centralFactory() {
  return [this](CentralDelegate& delegate) -> std::unique_ptr<Central> {
    return std::make_unique<SimulatedCentral>(*this, delegate);
  };
}

void SimulatedRadio::attach(SimulatedCentral& central) { centrals_.push_back(&central); }

void SimulatedRadio::detach(SimulatedCentral& central) { std::erase(centrals_, &central); }

void SimulatedRadio::receiverChanged(SimulatedReceiver& receiver) {
  const bool advertising = receiver.advertising();
  if (advertising != receiver.announcedAdvertising_) {
    receiver.announcedAdvertising_ = advertising;
    ++receiver.advertisingEpoch_;
    if (advertising) forEachCentral([&](SimulatedCentral& central) { central.receiverStartedAdvertising(receiver); });
  }
  const PeripheralState state = receiver.state();
  if (state != receiver.announcedState_) {
    receiver.announcedState_ = state;
    if (onReceiverStateChange) onReceiverStateChange(receiver);
  }
}

void SimulatedRadio::forEachCentral(const std::function<void(SimulatedCentral&)>& action) {
  const auto snapshot = centrals_;
  for (SimulatedCentral* central : snapshot) {
    if (std::find(centrals_.begin(), centrals_.end(), central) != centrals_.end()) action(*central);
  }
}

Uuid SimulatedRadio::freshIdentifier() const {
  // "KIRO" and the receiver's position, skipping any identifier a caller already chose.
  std::uint32_t position = static_cast<std::uint32_t>(receivers_.size()) + 1;
  for (;; ++position) {
    std::array<std::uint8_t, 16> bytes{0x4B, 0x49, 0x52, 0x4F, 0x00, 0x00, 0x40, 0x00, 0x80, 0x00};
    bytes[12] = static_cast<std::uint8_t>(position >> 24);
    bytes[13] = static_cast<std::uint8_t>(position >> 16);
    bytes[14] = static_cast<std::uint8_t>(position >> 8);
    bytes[15] = static_cast<std::uint8_t>(position);
    Uuid candidate(bytes);
    const bool taken = std::any_of(receivers_.begin(), receivers_.end(),
                                   [&](const auto& receiver) { return receiver->identifier() == candidate; });
    if (!taken) return candidate;
  }
}

}  // namespace kiro
