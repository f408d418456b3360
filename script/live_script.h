#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "base/lifetime.h"
#include "platform/notices.h"
#include "platform/run_loop.h"
#include "script/script_session.h"

namespace kiro {

// Runs a script whose lines arrive over time (a pipe, a terminal) on the run loop: a line
// that arrives during a wait waits for it to end, and nothing blocks between two lines, so
// timers and Bluetooth events go on meanwhile.
class LiveScript {
 public:
  // session: drives the app; runLoop: times the waits; notices: told of a broken input;
  // ended: told the exit status, once. All must outlive it.
  LiveScript(ScriptSession& session, RunLoop& runLoop, Notices& notices, std::function<void(int)> ended);

  // line: nullopt for one longer than the session takes, which was not kept.
  void lineArrived(std::optional<std::string> line);
  // error: the system's reason the input broke off (exit 1), or empty at its normal end.
  void inputEnded(const std::string& error = {});
  // Something else ends the app: no more lines run, and the end is not reported.
  void abandon() { done_ = true; }

 private:
  void run();
  void end(int status);

  ScriptSession& session_;
  RunLoop& runLoop_;
  Notices& notices_;
  std::function<void(int)> ended_;
  std::deque<std::optional<std::string>> lines_;
  bool waiting_ = false;
  bool inputEnded_ = false;
  bool done_ = false;
  std::string inputError_;
  Lifetime lifetime_;
};

}  // namespace kiro
