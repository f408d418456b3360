#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/central.h"
#include "platform/run_loop.h"

namespace kiro {

// Latencies of the simulated radio on the run loop's clock.
namespace sim_latency {
constexpr Millis advertisement{10};  // scan start or a new receiver to its discovery
constexpr Millis advertisingInterval{100};  // between reports when duplicates are allowed
constexpr Millis connection{20};     // connect request to connected
constexpr Millis disconnection{10};  // cancel request to disconnected
constexpr Millis discovery{5};       // each discovery request to its answer
constexpr Millis notificationState{5};
constexpr Millis writeConfirmation{10};
constexpr Millis demoFeedback{15};   // a command byte to the demo receiver's feedback
constexpr Millis demoReleaseCompleted{150};  // release notice to "release completed"
}  // namespace sim_latency

// One characteristic of a simulated GATT table.
struct SimCharacteristicSpec {
  BleUuid uuid;
  std::uint32_t properties;
};

struct SimServiceSpec {
  BleUuid uuid;
  std::vector<SimCharacteristicSpec> characteristics;
  std::vector<SimServiceSpec> includedServices;
};

using SimGattTable = std::vector<SimServiceSpec>;

// The KIRO's table: service "FFB0" with "FFB2" (write, write without response, notify)
// and "FFB1" (notify).
SimGattTable kiroGattTable();

// A write a receiver got.
struct SimWrite {
  Bytes bytes;
  WriteType type;
  BleUuid characteristic;
  Millis time;
};

// What the next connect request to a receiver does.
enum class SimConnectionResponse { succeed, fail, neverComplete };

class SimulatedRadio;
class SimulatedPeripheral;

// A receiver in the simulated world. Created through SimulatedRadio::addReceiver.
class SimulatedReceiver {
 public:
  struct Options {
    Uuid identifier;
    std::optional<std::string> advertisedName;  // nullopt: advertises no local name
    std::optional<std::string> gapName;          // the peripheral's own name; defaults to the advertised one
    SimGattTable gatt = kiroGattTable();
    int rssi = -55;
    bool demoFeedback = false;  // answers command bytes the way a KIRO does
  };

  const Uuid& identifier() const { return options_.identifier; }
  const Options& options() const { return options_; }
  PeripheralState state() const;

  // Every write it got, oldest first.
  const std::vector<SimWrite>& writes() const { return writes_; }
  // The last write, or nullopt.
  std::optional<SimWrite> lastWrite() const;
  void clearWrites() { writes_.clear(); }

  // Notifies bytes on every subscribed characteristic; does nothing when not connected.
  void simulateNotification(const Bytes& bytes);
  // The link drops as if the receiver were switched off for a moment.
  void simulateDisconnection();
  // It stops advertising; a connection drops and a pending connect never completes.
  void simulateOutOfRange();
  // It advertises again.
  void simulateBackInRange();
  void setNextConnectionResponse(SimConnectionResponse response) { nextResponse_ = response; }
  void setDemoFeedback(bool enabled) { options_.demoFeedback = enabled; }

 private:
  friend class SimulatedRadio;
  friend class SimulatedPeripheral;
  SimulatedReceiver(SimulatedRadio& radio, Options options) : radio_(radio), options_(std::move(options)) {}

  void received(const SimWrite& write);

  SimulatedRadio& radio_;
  Options options_;
  bool inRange_ = true;
  SimConnectionResponse nextResponse_ = SimConnectionResponse::succeed;
  std::vector<SimWrite> writes_;
  bool releaseNoticeSeen_ = false;
  std::weak_ptr<SimulatedPeripheral> peripheral_;
};

// The simulated world: the radio's power and the receivers around. Centrals made by
// centralFactory() see it. Outlives every central it makes.
class SimulatedRadio {
 public:
  explicit SimulatedRadio(RunLoop& runLoop);
  ~SimulatedRadio();
  SimulatedRadio(const SimulatedRadio&) = delete;
  SimulatedRadio& operator=(const SimulatedRadio&) = delete;

  // options: the receiver's identity, table and behaviour; it starts advertising at once.
  SimulatedReceiver& addReceiver(SimulatedReceiver::Options options);
  // A receiver with a fresh identifier derived from its position and the KIRO table.
  SimulatedReceiver& addReceiver(std::optional<std::string> advertisedName);
  SimulatedReceiver* receiver(const Uuid& identifier);
  const std::vector<std::unique_ptr<SimulatedReceiver>>& receivers() const { return receivers_; }

  // Power: off drops every link and stops the scan; on does not restart it.
  void setPowered(bool on);
  bool powered() const { return powered_; }

  // Makes centrals bound to this radio; they start powered on when the radio is.
  CentralFactory centralFactory();

  // Called whenever a receiver's link state changes (for scripts and demos).
  std::function<void(const SimulatedReceiver&)> onReceiverStateChange;

  RunLoop& runLoop() { return runLoop_; }

 private:
  friend class SimulatedReceiver;
  friend class SimulatedPeripheral;
  friend class SimulatedCentral;
  class SimulatedCentral;

  RunLoop& runLoop_;
  bool powered_ = true;
  std::vector<std::unique_ptr<SimulatedReceiver>> receivers_;
  std::vector<SimulatedCentral*> centrals_;
  std::shared_ptr<bool> alive_;
};

}  // namespace kiro
