#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_delegate.h"
#include "script/event_stream.h"
#include "ui/ui_events.h"
#include "platform/sim/simulated_radio.h"

namespace kiro {

// Turns what happens in the running app into events: lamps, the status label, the stack,
// alerts, and the receivers' states and writes (the simulated radio's by itself, a real
// adapter's as the host reports them).
class AppEvents {
 public:
  // delegate: launched; ui: the screens' changes; radio: the simulated receivers, or null
  // with a real adapter; events: where the lines go. All must outlive it.
  AppEvents(const AppDelegate& delegate, UiEvents& ui, SimulatedRadio* radio, EventStream& events);
  ~AppEvents();
  AppEvents(const AppEvents&) = delete;
  AppEvents& operator=(const AppEvents&) = delete;

  // receiver: one just added to the radio; announces it with its identifier.
  void receiverAdded(const SimulatedReceiver& receiver);
  // A command handed to a receiver. receiverId: its identifier.
  void write(std::string_view receiverId, const Bytes& bytes, bool withResponse);
  // A command refused, or given up unanswered, and why.
  void writeFailed(const std::string& receiverId, const Bytes& bytes, const std::string& reason);
  // Another program's call that changed something: its method and bus name.
  void remote(const std::string& method, const std::string& caller);
  // A receiver's link state changed. receiverId: its identifier; name: its own, if any.
  void receiver(const std::string& receiverId, const std::optional<std::string>& name, PeripheralState state);

 private:
  void viewChanged(View& view, ViewProperty property);
  void alertsChanged();
  void receiverChanged(const SimulatedReceiver& receiver);

  const AppDelegate& delegate_;
  SimulatedRadio* radio_;
  EventStream& events_;
  std::array<bool, 3> lit_{};  // green, blue, red as last told
  std::size_t alertCount_ = 0;
  UiSubscription subscription_;
  Subscription timerListener_;
};

}  // namespace kiro
