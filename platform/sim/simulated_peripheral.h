#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/central.h"
#include "platform/sim/simulated_radio.h"

namespace kiro {

// A simulated receiver as one central sees it. Its GATT objects are made new for each
// connection and published as discovery answers.
class SimulatedPeripheral final : public Peripheral, public std::enable_shared_from_this<SimulatedPeripheral> {
 public:
  // central: the central handing it out; receiver: the device it stands for.
  SimulatedPeripheral(SimulatedCentral& central, SimulatedReceiver& receiver);

  const Uuid& identifier() const override { return identifier_; }
  std::optional<std::string> name() const override { return name_; }
  PeripheralState state() const override { return state_; }
  void setDelegate(PeripheralDelegate* delegate) override { delegate_ = delegate; }
  const std::vector<std::shared_ptr<Service>>& services() const override { return services_; }

  // Requests while not connected, or about objects of another connection, are ignored.
  void discoverServices() override;
  void discoverCharacteristics(Service& service) override;
  void discoverIncludedServices(Service& service) override;
  void setNotifyValue(bool enabled, Characteristic& characteristic) override;
  void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) override;

  // bytes: the new value of every subscribed characteristic, reported before returning.
  void deliverNotification(const Bytes& bytes);

 private:
  friend class SimulatedCentral;

  // A service of the current connection with what its discovery answers publish.
  struct ServiceEntry {
    std::shared_ptr<Service> service;
    std::vector<std::shared_ptr<Characteristic>> characteristics;
    std::vector<std::shared_ptr<Service>> included;
  };

  // state: the new state; connected builds the GATT objects, disconnected drops them.
  void enterState(PeripheralState state);
  // Its central is gone: it stays disconnected and reports nothing any more.
  void detach();
  std::shared_ptr<Service> addService(const SimService& layout, bool isPrimary);
  const ServiceEntry* entryFor(const Service& service) const;
  std::shared_ptr<Characteristic> characteristicFor(const Characteristic& characteristic) const;
  bool connected() const { return central_ != nullptr && state_ == PeripheralState::connected; }
  // answer: run after delay if this connection still stands in the same state.
  template <typename Answer>
  void answerLater(Millis delay, Answer answer);

  SimulatedCentral* central_;  // null once the central is gone
  SimulatedReceiver& receiver_;
  Uuid identifier_;
  std::optional<std::string> name_;
  PeripheralDelegate* delegate_ = nullptr;
  PeripheralState state_ = PeripheralState::disconnected;
  std::uint64_t epoch_ = 0;  // moves on with every state change; pending answers check it

  // The connect request in progress.
  SimConnectionResponse pendingResponse_ = SimConnectionResponse::succeed;
  bool waitingForReceiver_ = false;  // its attempt found the receiver unreachable

  // This connection's GATT objects.
  std::vector<std::shared_ptr<Service>> services_;  // published by discoverServices
  std::vector<std::shared_ptr<Service>> primary_;
  std::vector<ServiceEntry> entries_;                       // primary and included services
  std::vector<std::shared_ptr<Characteristic>> characteristics_;  // in table order
};

}  // namespace kiro
