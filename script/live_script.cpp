#include "script/live_script.h"

namespace kiro {

LiveScript::LiveScript(ScriptSession& session, RunLoop& runLoop, Notices& notices, std::function<void(int)> ended)
    : session_(session), runLoop_(runLoop), notices_(notices), ended_(std::move(ended)) {}

void LiveScript::lineArrived(std::optional<std::string> line) {
  lines_.push_back(std::move(line));
  run();
}

void LiveScript::inputEnded(const std::string& error) {
  inputEnded_ = true;
  inputError_ = error;
  run();
}

void LiveScript::run() {
  while (!waiting_ && !done_) {
    std::optional<ScriptStep> step;
    if (!lines_.empty()) {
      std::optional<std::string> line = std::move(lines_.front());
      lines_.pop_front();
      step = line ? session_.runLine(std::move(*line)) : session_.lineTooLong();
    } else if (!inputEnded_) {
      return;
    } else if (!inputError_.empty()) {
      notices_.say("cannot read the script: " + inputError_);
      end(1);
      return;
    } else {
      step = session_.inputEnded();
    }
    if (!step) continue;
    if (step->kind == ScriptStep::Kind::answer) {
      waiting_ = true;
      session_.whenAnswered(lifetime_.guard([this] {
        waiting_ = false;
        run();
      }));
      return;
    }
    if (step->kind != ScriptStep::Kind::wait) {
      end(step->exitStatus);
      return;
    }
    waiting_ = true;
    runLoop_.performAfterDelay(step->duration, lifetime_.guard([this] {
      waiting_ = false;
      run();
    }));
  }
}

void LiveScript::end(int status) {
  done_ = true;
  ended_(status);
}

}  // namespace kiro
