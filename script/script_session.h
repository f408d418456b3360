#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "app/app_delegate.h"
#include "script/app_events.h"
#include "script/event_stream.h"
#include "base/lifetime.h"
#include "base/result.h"
#include "script/script_command.h"
#include "ui/ui_events.h"
#include "platform/location_service.h"
#include "platform/sim/simulated_radio.h"

namespace kiro {

// What the host does next.
struct ScriptStep {
  // answer: the session waits for an answer from outside; see ScriptSession::whenAnswered.
  enum class Kind { wait, answer, finished, failed } kind = Kind::finished;
  Millis duration{0};  // with wait: let this much time pass, then call next() again; with answer, the most it takes
  int exitStatus = 0;  // with finished (0) or failed (2)
};

// Drives the launched app from script commands and reports what happens in it as JSON
// lines, also while the host lets time pass between commands.
class ScriptSession {
 public:
  // A longer line is refused and not stored, so that a runaway input cannot fill the memory.
  static constexpr std::size_t kMaxLineBytes = 1 << 20;

  using SnapshotHandler = std::function<Result<>(const std::string& path)>;
  using WindowHandler = std::function<void(int width, int height)>;

  // delegate: the launched app; ui: the watcher of its screens; radio: the simulated
  // radio, or null with a real adapter; events: where JSON lines go; errors: where
  // errors go. All must outlive the session.
  ScriptSession(AppDelegate& delegate, UiEvents& ui, SimulatedRadio* radio, std::ostream& events,
                std::ostream& errors);

  // Runs commands read from input until one waits, the input ends (or quit: finished 0),
  // or a line fails (message naming the line on errors, failed 2, the line's command not
  // run). Once ended, it keeps returning that end; the host then ends the app as every
  // ending does (the shutter let go, the object store saved).
  ScriptStep next(std::istream& input);
  // The same, for a host that reads lines itself: runs one line; nullopt when the next may
  // follow at once.
  std::optional<ScriptStep> runLine(std::string line);
  // The host met a line longer than kMaxLineBytes (and did not keep it): failed 2.
  ScriptStep lineTooLong();
  // The host's input ended: finished 0, or the end already reached.
  ScriptStep inputEnded();

  // handler: saves the window as a PNG at path, or says why it cannot. The window installs
  // it; without it snapshot is an error.
  void setSnapshotHandler(SnapshotHandler handler) { snapshot_ = std::move(handler); }
  // handler: resizes the window, in pixels. The window installs it; without it the screens
  // alone lay out as in a window of that size.
  void setWindowHandler(WindowHandler handler) { window_ = std::move(handler); }
  // service: what location auto asks; it must outlive the session. Without one the line fails.
  void setLocationService(LocationService* service) { location_ = service; }
  // After a step of kind answer: resume is called once the answer has come, and the host
  // goes on with the next line.
  void whenAnswered(std::function<void()> resume) { resume_ = std::move(resume); }

  // For a real adapter: the host reports a write the stack accepted.
  void reportWrite(const std::string& receiverId, const Bytes& bytes, bool withResponse) {
    appEvents_.write(receiverId, bytes, withResponse);
  }
  // For a real adapter: the host reports a write that was refused or given up.
  void reportWriteFailed(const std::string& receiverId, const Bytes& bytes, const std::string& reason) {
    appEvents_.writeFailed(receiverId, bytes, reason);
  }
  // The host reports another program's call that changed something.
  void reportRemote(const std::string& method, const std::string& caller) { appEvents_.remote(method, caller); }
  // For a real adapter: the host reports a receiver's new link state.
  void reportReceiver(const std::string& receiverId, const std::optional<std::string>& name, PeripheralState state) {
    appEvents_.receiver(receiverId, name, state);
  }

 private:
  // A command's result: done (nullopt), a step for the host, or why it cannot apply (it did
  // not run).
  using Outcome = Result<std::optional<ScriptStep>>;

  ScriptStep end(ScriptStep step);
  ScriptStep fail(const std::string& message);
  ScriptStep finish();
  NavigationController& navigation() { return *delegate_.window()->rootViewController(); }

  Outcome perform(const script::Wait& command);
  Outcome perform(const script::Quit& command);
  Outcome perform(const script::Touch& command);
  Outcome perform(const script::Tap& command);
  Outcome perform(const script::Select& command);
  Outcome perform(const script::Dismiss& command);
  Outcome perform(const script::State& command);
  Outcome perform(const script::Layout& command);
  Outcome perform(const script::Snapshot& command);
  Outcome perform(const script::WindowSize& command);
  Outcome perform(const script::AddReceiver& command);
  Outcome perform(const script::ReceiverAction& command);
  Outcome perform(const script::Radio& command);
  Outcome perform(const script::Timer& command);
  Outcome perform(const script::TimerPreset& command);
  Outcome perform(const script::SetLocation& command);
  Outcome perform(const script::FindLocation& command);

  AppDelegate& delegate_;
  SimulatedRadio* radio_;
  std::ostream& errors_;
  EventStream events_;
  AppEvents appEvents_;
  SnapshotHandler snapshot_;
  WindowHandler window_;
  LocationService* location_ = nullptr;
  std::function<void()> resume_;
  bool answered_ = false;
  Lifetime lifetime_;
  int lineNumber_ = 0;
  std::optional<ScriptStep> ended_;
};

}  // namespace kiro
