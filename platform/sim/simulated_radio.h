#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/central.h"
#include "base/lifetime.h"
#include "base/result.h"
#include "platform/run_loop.h"

namespace kiro {

// Latencies of the simulated radio on the run loop's clock.
namespace sim_latency {
constexpr Millis advertisement{10};          // scan start, or a receiver starting to advertise, to its report
constexpr Millis advertisingInterval{100};   // between reports when duplicates are allowed
constexpr Millis connection{20};             // connect request to connected
constexpr Millis connectionAttemptLimit{10000};  // connect request to giving up on it
constexpr Millis disconnection{10};          // cancel request to disconnected
constexpr Millis discovery{5};               // each discovery request to its answer
constexpr Millis notificationState{5};
constexpr Millis writeConfirmation{10};
// A command byte to the demo receiver's feedback: due with the write's confirmation, as in
// one connection event of a real link, so the app wakes once for both.
constexpr Millis demoFeedback{10};
constexpr Millis demoReleaseCompleted{150};  // release notice to "release completed"
}  // namespace sim_latency

// One characteristic of a simulated GATT table.
struct SimCharacteristic {
  BleUuid uuid;
  std::uint32_t properties = 0;
};

struct SimService {
  BleUuid uuid;
  std::vector<SimCharacteristic> characteristics;
  std::vector<SimService> includedServices;
};

// Primary services, in the order discovery lists them.
using SimGattTable = std::vector<SimService>;

// The KIRO's table: service "FFB0" with "FFB2" (write, write without response, notify)
// and "FFB1" (notify).
SimGattTable kiroGattTable();

// A write a receiver got.
struct SimWrite {
  Bytes bytes;
  WriteType type = WriteType::withResponse;
  BleUuid characteristic;
  Millis time{0};  // on the run loop's clock

  friend bool operator==(const SimWrite&, const SimWrite&) = default;
};

// What the next connect request to a receiver does. neverComplete: no answer, so the central
// gives up after sim_latency::connectionAttemptLimit and reports a failure.
enum class SimConnectionResponse { succeed, fail, neverComplete };

class SimulatedRadio;
class SimulatedCentral;
class SimulatedPeripheral;

// A receiver in the simulated world. Created through SimulatedRadio::addReceiver; it takes
// one link at a time and does not advertise while it has one.
class SimulatedReceiver {
 public:
  struct Options {
    Uuid identifier;                             // nil: the radio derives a fresh one
    std::optional<std::string> advertisedName;   // nullopt: advertises no local name
    std::optional<std::string> gapName;          // the peripheral's own name; defaults to the advertised one
    SimGattTable gatt = kiroGattTable();
    int rssi = -55;
    bool demoFeedback = false;  // answers command bytes the way a KIRO does
  };

  SimulatedReceiver(const SimulatedReceiver&) = delete;
  SimulatedReceiver& operator=(const SimulatedReceiver&) = delete;

  // The identifier every central's peripheral for it reports.
  const Uuid& identifier() const { return options_.identifier; }
  // What it was made with.
  const Options& options() const { return options_; }
  // The name its peripheral reports: its own, else the advertised one.
  const std::optional<std::string>& name() const { return options_.gapName ? options_.gapName : options_.advertisedName; }
  // The link's state: that of the connected central's peripheral, else connecting while a
  // central is trying to connect, else disconnected.
  PeripheralState state() const;
  // In range and without a link.
  bool advertising() const;

  // The writes it accepted, oldest first: at least the last kKeptWrites. Older ones go, as
  // a demo left connected is written 40 times a second.
  static constexpr std::size_t kKeptWrites = 4096;
  const std::vector<SimWrite>& writes() const { return writes_; }
  // The last accepted write, or nullopt.
  std::optional<SimWrite> lastWrite() const;
  void clearWrites() { writes_.clear(); }

  // bytes: notified at once on every subscribed characteristic; nothing when not connected.
  void simulateNotification(const Bytes& bytes);
  // The link drops as if the receiver were switched off for a moment; it advertises again.
  void simulateDisconnection();
  // It stops advertising and its link drops; connect requests wait until it is back, or
  // until the central gives up on them.
  void simulateOutOfRange();
  // It advertises again and waiting connect requests go on.
  void simulateBackInRange();
  // response: what the next connect request to it does; later ones succeed again.
  void setNextConnectionResponse(SimConnectionResponse response) { nextResponse_ = response; }
  // The connect and cancel requests centrals made of it, whatever came of them.
  int connectRequests() const { return connectRequests_; }
  int cancelRequests() const { return cancelRequests_; }

 private:
  friend class SimulatedRadio;
  friend class SimulatedCentral;
  friend class SimulatedPeripheral;
  SimulatedReceiver(SimulatedRadio& radio, Options options);

  SimConnectionResponse takeNextConnectionResponse();
  // write: an accepted write, recorded and, in demo mode, answered.
  void received(SimWrite write);
  // A feedback byte, notified after delay unless the radio is gone by then.
  void notifyLater(Millis delay, std::uint8_t feedback);

  SimulatedRadio& radio_;
  Options options_;
  bool inRange_ = true;
  SimConnectionResponse nextResponse_ = SimConnectionResponse::succeed;
  int connectRequests_ = 0;
  int cancelRequests_ = 0;
  std::vector<SimWrite> writes_;
  bool releaseNoticeSeen_ = false;
  Bytes notified_;  // the feedback notified last, kept so that a frame's answer makes no new one
  std::weak_ptr<SimulatedPeripheral> link_;  // the peripheral connected to it
  // What centrals and watchers were last told, so each change is announced once.
  bool announcedAdvertising_ = false;
  std::uint64_t advertisingEpoch_ = 0;  // moves on whenever advertising starts or stops
  PeripheralState announcedState_ = PeripheralState::disconnected;
};

// The simulated world: the radio's power and the receivers around. Centrals made by
// centralFactory() see it. It must outlive every central it makes.
class SimulatedRadio {
 public:
  // runLoop: the loop every latency runs on; it must outlive the radio.
  explicit SimulatedRadio(RunLoop& runLoop);
  ~SimulatedRadio();
  SimulatedRadio(const SimulatedRadio&) = delete;
  SimulatedRadio& operator=(const SimulatedRadio&) = delete;

  // options: the receiver's identity, table and behaviour; it starts advertising at once.
  // Refused when another receiver has the identifier.
  Result<SimulatedReceiver*> addReceiver(SimulatedReceiver::Options options);
  // advertisedName: the name it advertises (nullopt: none); fresh identifier, KIRO table.
  SimulatedReceiver& addReceiver(std::optional<std::string> advertisedName);
  // identifier: a receiver's; nullptr when none has it.
  SimulatedReceiver* receiver(const Uuid& identifier);
  // Every receiver, in the order added.
  const std::vector<std::unique_ptr<SimulatedReceiver>>& receivers() const { return receivers_; }

  // on: the new power state. Off drops every link and stops every scan; on does not restart it.
  void setPowered(bool on);
  bool powered() const { return powered_; }

  // Makes centrals bound to this radio; each reports its state once, just after creation.
  CentralFactory centralFactory();
  // The scans its centrals were asked to start, whatever came of them.
  int scanRequests() const { return scanRequests_; }

  // Called whenever a receiver's link state changes (for scripts and demos).
  std::function<void(const SimulatedReceiver&)> onReceiverStateChange;
  // Called with each write a receiver accepts, just after it is recorded.
  std::function<void(const SimulatedReceiver&, const SimWrite&)> onReceiverWrite;

  RunLoop& runLoop() { return runLoop_; }

 private:
  friend class SimulatedReceiver;
  friend class SimulatedCentral;
  friend class SimulatedPeripheral;

  // central: one starting or ending its life.
  void attach(SimulatedCentral& central);
  void detach(SimulatedCentral& central);
  // receiver: tells centrals and watchers what changed about it since they were last told.
  void receiverChanged(SimulatedReceiver& receiver);
  // action: run for each central, skipping any that an earlier call destroyed.
  void forEachCentral(const std::function<void(SimulatedCentral&)>& action);
  Uuid freshIdentifier() const;

  RunLoop& runLoop_;
  bool powered_ = true;
  int scanRequests_ = 0;
  std::vector<std::unique_ptr<SimulatedReceiver>> receivers_;
  std::vector<SimulatedCentral*> centrals_;
  Lifetime lifetime_;  // pending demo answers check it
};

}  // namespace kiro
