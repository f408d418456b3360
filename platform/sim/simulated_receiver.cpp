#include "platform/sim/simulated_central.h"
#include "platform/sim/simulated_peripheral.h"
#include "platform/sim/simulated_radio.h"

namespace kiro {

namespace {

constexpr const char* kLinkLost = "The connection has timed out unexpectedly.";

// Command bits the KIRO answers, and the feedback bit each gets.
constexpr std::uint8_t kFocusCommand = 0x10;
constexpr std::uint8_t kShutterCommand = 0x20;
constexpr std::uint8_t kReleaseNoticeCommand = 0x40;
constexpr std::uint8_t kFocusFeedback = 0x01;
constexpr std::uint8_t kShutterFeedback = 0x02;
constexpr std::uint8_t kReleaseNoticeFeedback = 0x04;
constexpr std::uint8_t kReleaseCompletedFeedback = 0x08;

}  // namespace

SimGattTable kiroGattTable() {
  SimService service;
  service.uuid = BleUuid::from16(0xFFB0);
  service.characteristics = {
      {BleUuid::from16(0xFFB2), property::write | property::writeWithoutResponse | property::notify},
      {BleUuid::from16(0xFFB1), property::notify},
  };
  return {service};
}

SimulatedReceiver::SimulatedReceiver(SimulatedRadio& radio, Options options)
    : radio_(radio), options_(std::move(options)) {}

PeripheralState SimulatedReceiver::state() const {
  if (auto linked = link_.lock()) return linked->state();
  bool disconnecting = false;
  for (const SimulatedCentral* central : radio_.centrals_) {
    const SimulatedPeripheral* peripheral = central->peripheralFor(identifier());
    if (peripheral == nullptr) continue;
    if (peripheral->state() == PeripheralState::connecting) return PeripheralState::connecting;
    disconnecting = disconnecting || peripheral->state() == PeripheralState::disconnecting;
  }
  return disconnecting ? PeripheralState::disconnecting : PeripheralState::disconnected;
}

bool SimulatedReceiver::advertising() const { return inRange_ && link_.expired(); }

std::optional<SimWrite> SimulatedReceiver::lastWrite() const {
  if (writes_.empty()) return std::nullopt;
  return writes_.back();
}

void SimulatedReceiver::simulateNotification(const Bytes& bytes) {
  if (auto linked = link_.lock()) linked->deliverNotification(bytes);
}

void SimulatedReceiver::simulateDisconnection() {
  auto linked = link_.lock();
  if (!linked) return;
  for (SimulatedCentral* central : radio_.centrals_) {
    if (central->peripheralFor(identifier()) == linked.get()) {
      central->dropLink(linked, Error{kLinkLost});
      return;
    }
  }
}

void SimulatedReceiver::simulateOutOfRange() {
  if (!inRange_) return;
  inRange_ = false;
  radio_.receiverChanged(*this);
  simulateDisconnection();
}

void SimulatedReceiver::simulateBackInRange() {
  if (inRange_) return;
  inRange_ = true;
  radio_.receiverChanged(*this);
}

SimConnectionResponse SimulatedReceiver::takeNextConnectionResponse() {
  const SimConnectionResponse response = nextResponse_;
  nextResponse_ = SimConnectionResponse::succeed;
  return response;
}

void SimulatedReceiver::received(SimWrite write) {
  const bool hasCommand = !write.bytes.empty();
  const std::uint8_t command = hasCommand ? write.bytes.front() : 0;
  if (writes_.size() == 2 * kKeptWrites) writes_.erase(writes_.begin(), writes_.begin() + kKeptWrites);
  writes_.push_back(std::move(write));
  // A copy: the watcher may cause further writes, which move the list.
  if (auto watcher = radio_.onReceiverWrite) watcher(*this, SimWrite(writes_.back()));
  if (!hasCommand) return;

  // A release notice is new when the write before it had none.
  const bool releaseNotice = (command & kReleaseNoticeCommand) != 0;
  const bool newReleaseNotice = releaseNotice && !releaseNoticeSeen_;
  releaseNoticeSeen_ = releaseNotice;
  if (!options_.demoFeedback) return;

  std::uint8_t feedback = 0;
  if ((command & kFocusCommand) != 0) feedback |= kFocusFeedback;
  if ((command & kShutterCommand) != 0) feedback |= kShutterFeedback;
  if (releaseNotice) feedback |= kReleaseNoticeFeedback;
  if (feedback != 0) notifyLater(sim_latency::demoFeedback, feedback);
  if (newReleaseNotice) notifyLater(sim_latency::demoReleaseCompleted, kReleaseCompletedFeedback);
}

void SimulatedReceiver::notifyLater(Millis delay, std::uint8_t feedback) {
  radio_.runLoop().performAfterDelay(delay, radio_.lifetime_.guard([this, feedback] {
    notified_.assign(1, feedback);
    simulateNotification(notified_);
  }));
}

}  // namespace kiro
