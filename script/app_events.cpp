#include "script/app_events.h"

#include "link/link_manager.h"
#include "script/state_event.h"

namespace kiro {

AppEvents::AppEvents(const AppDelegate& delegate, UiEvents& ui, SimulatedRadio* radio, EventStream& events)
    : delegate_(delegate), radio_(radio), events_(events), alertCount_(alertQueue().alerts().size()) {
  const auto& remote = *delegate.remote();
  lit_ = {lampIsLit(*remote.imageLamp01()), lampIsLit(*remote.imageLamp02()), lampIsLit(*remote.imageLamp03())};
  subscription_ = ui.subscribe({
      [this](View& view, ViewProperty property) { viewChanged(view, property); },
      [this](NavigationChange, bool) {
        events_.send("screen", {{"stack", stackNames(*delegate_.window()->rootViewController())}});
      },
      [this] { alertsChanged(); },
  });
  timerListener_ = delegate.remote()->onTimedShooting(
      [this, remote = delegate.remote().get()](const ShootingStatus& status) {
        auto fields = timerFields(status);
        const bool over = status.state == ShootingStatus::State::done || status.state == ShootingStatus::State::stopped;
        if (over && !remote->shotLog().path().empty()) fields.emplace_back("log", remote->shotLog().path().string());
        events_.send("timer", fields);
      });
  if (radio_) {
    radio_->onReceiverStateChange = [this](const SimulatedReceiver& receiver) { receiverChanged(receiver); };
    radio_->onReceiverWrite = [this](const SimulatedReceiver& receiver, const SimWrite& written) {
      const auto id = receiver.identifier().characters();
      write({id.data(), id.size()}, written.bytes, written.type == WriteType::withResponse);
    };
  }
}

AppEvents::~AppEvents() {
  if (!radio_) return;
  radio_->onReceiverStateChange = nullptr;
  radio_->onReceiverWrite = nullptr;
}

void AppEvents::receiverAdded(const SimulatedReceiver& receiver) { receiverChanged(receiver); }

void AppEvents::write(std::string_view receiverId, const Bytes& bytes, bool withResponse) {
  // One a frame: written into the line as it goes.
  events_.send("write", [&](std::string& line) {
    line += ",\"receiver\":";
    Json::dumpString(receiverId, line);
    line += ",\"bytes\":";
    Json::dumpString(hexText(bytes), line);
    line += withResponse ? ",\"withResponse\":true" : ",\"withResponse\":false";
  });
}

void AppEvents::writeFailed(const std::string& receiverId, const Bytes& bytes, const std::string& reason) {
  events_.send("writeFailed", {{"receiver", receiverId}, {"bytes", hexText(bytes)}, {"reason", reason}});
}

void AppEvents::remote(const std::string& method, const std::string& caller) {
  events_.send("remote", {{"method", method}, {"caller", caller}});
}

void AppEvents::viewChanged(View& view, ViewProperty property) {
  const auto& remote = *delegate_.remote();
  if (property == ViewProperty::text && &view == remote.testLabel().get()) {
    events_.send("label", {{"text", remote.testLabel()->text()}});
    return;
  }
  if (property == ViewProperty::text && &view == remote.commandsLine().get()) {
    const auto& commands = singleton::defaultManager().commands();
    Json::Object fields{{"accepted", commands.accepted()}};
    if (!commands.accepted()) fields.emplace_back("reason", commands.reason());
    events_.send("commands", std::move(fields));
    return;
  }
  if (property != ViewProperty::image) return;
  const ImageView* lamps[] = {remote.imageLamp01().get(), remote.imageLamp02().get(), remote.imageLamp03().get()};
  const char* colours[] = {"green", "blue", "red"};
  for (std::size_t i = 0; i < 3; ++i) {
    if (&view != lamps[i] || lampIsLit(*lamps[i]) == lit_[i]) continue;
    lit_[i] = !lit_[i];
    events_.send("lamp", {{"lamp", colours[i]}, {"lit", lit_[i]}});
  }
}

void AppEvents::alertsChanged() {
  // Announced as each comes to the front: when none showed before, or the one in front closed.
  const auto& queue = alertQueue();
  const std::size_t count = queue.alerts().size();
  const bool newFront = count > 0 && (alertCount_ == 0 || count < alertCount_);
  alertCount_ = count;
  if (newFront) events_.send("alert", {{"title", queue.visible()->title.english()}, {"message", queue.visible()->message.english()}});
}

void AppEvents::receiverChanged(const SimulatedReceiver& receiver) {
  this->receiver(receiver.identifier().UUIDString(), receiver.name(), receiver.state());
}

void AppEvents::receiver(const std::string& receiverId, const std::optional<std::string>& name,
                         PeripheralState state) {
  events_.send("receiver",
               {{"receiver", receiverId}, {"name", name ? Json(*name) : Json()}, {"state", stateName(state)}});
}

}  // namespace kiro
