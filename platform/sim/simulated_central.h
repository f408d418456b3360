#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "platform/central.h"
#include "platform/sim/simulated_radio.h"

namespace kiro {

// A central on the simulated radio. Made by SimulatedRadio::centralFactory; every
// callback comes from the radio's run loop, except those a fault injection causes.
class SimulatedCentral final : public Central {
 public:
  // radio: the world it sees; delegate: where its callbacks go.
  SimulatedCentral(SimulatedRadio& radio, CentralDelegate& delegate);
  ~SimulatedCentral() override;
  SimulatedCentral(const SimulatedCentral&) = delete;
  SimulatedCentral& operator=(const SimulatedCentral&) = delete;

  CentralState state() const override { return state_; }
  void scanForPeripherals(bool allowDuplicates) override;
  void stopScan() override;
  void connectPeripheral(Peripheral& peripheral, bool notifyOnDisconnection) override;
  void cancelPeripheralConnection(Peripheral& peripheral) override;

  // on: the radio's new power state.
  void powerChanged(bool on);
  // receiver: one that has just started advertising.
  void receiverStartedAdvertising(SimulatedReceiver& receiver);
  // peripheral: one of this central's; error: why its link or connect request ended.
  void dropLink(const std::shared_ptr<SimulatedPeripheral>& peripheral, const Error& error);
  // identifier: a receiver's; the peripheral standing for it here, or nullptr.
  SimulatedPeripheral* peripheralFor(const Uuid& identifier) const;
  // The radio is being destroyed: from now on every request does nothing.
  void radioGone();
  SimulatedRadio* radio() const { return radio_; }

 private:
  std::shared_ptr<SimulatedPeripheral> own(const Peripheral& peripheral) const;
  std::shared_ptr<SimulatedPeripheral> peripheralOf(SimulatedReceiver& receiver);
  // peripheral: moved to state, with the receiver's link kept in step.
  void setPeripheralState(SimulatedPeripheral& peripheral, PeripheralState state);
  void scheduleAdvertisement(SimulatedReceiver& receiver, Millis delay);
  void scheduleConnection(const std::shared_ptr<SimulatedPeripheral>& peripheral);
  // action: run after delay unless this central or its radio is gone by then.
  template <typename Action>
  void later(Millis delay, Action action);

  SimulatedRadio* radio_;
  CentralDelegate& delegate_;
  CentralState state_;
  bool scanning_ = false;
  bool allowDuplicates_ = false;
  std::uint64_t scanEpoch_ = 0;  // moves on with each scan start and stop
  std::set<Uuid> reportedThisScan_;
  std::map<Uuid, std::shared_ptr<SimulatedPeripheral>> peripherals_;
  Lifetime lifetime_;
};

}  // namespace kiro
