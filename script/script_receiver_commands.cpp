#include "script/script_session.h"

namespace kiro {

namespace {

constexpr const char* kNeedsRadio = "receiver and radio commands need simulated receivers (--simulate)";

SimGattTable gattTable(const script::AddReceiver& command) {
  if (!command.noCommandService && !command.writeWithoutResponse) return kiroGattTable();
  const std::uint32_t write = command.writeWithoutResponse ? property::writeWithoutResponse : property::write;
  if (command.noCommandService)
    return {{BleUuid::from16(0xFFE0), {{BleUuid::from16(0xFFE1), write | property::notify}}, {}}};
  return {{BleUuid::from16(0xFFB0),
           {{BleUuid::from16(0xFFB2), write | property::notify}, {BleUuid::from16(0xFFB1), property::notify}},
           {}}};
}

}  // namespace

ScriptSession::Outcome ScriptSession::perform(const script::AddReceiver& command) {
  if (!radio_) return Error{kNeedsRadio};
  SimulatedReceiver::Options options;
  if (command.identifier) options.identifier = *command.identifier;
  if (!command.noName) options.advertisedName = command.name;
  options.gapName = command.name;
  options.gatt = gattTable(command);
  options.demoFeedback = !command.silent;
  const auto added = radio_->addReceiver(std::move(options));
  if (!added.ok()) return added.error();
  appEvents_.receiverAdded(*added.value());
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::ReceiverAction& command) {
  if (!radio_) return Error{kNeedsRadio};
  SimulatedReceiver* receiver = radio_->receiver(command.identifier);
  if (!receiver) return Error{"no receiver " + command.identifier.UUIDString()};
  switch (command.kind) {
    case script::ReceiverAction::Kind::notify: receiver->simulateNotification(command.bytes); break;
    case script::ReceiverAction::Kind::drop: receiver->simulateDisconnection(); break;
    case script::ReceiverAction::Kind::gone: receiver->simulateOutOfRange(); break;
  }
  return std::nullopt;
}

ScriptSession::Outcome ScriptSession::perform(const script::Radio& command) {
  if (!radio_) return Error{kNeedsRadio};
  radio_->setPowered(command.on);
  return std::nullopt;
}

}  // namespace kiro
