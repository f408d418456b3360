#include "platform/qt/scripting/script_runs.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "base/scope_exit.h"
#include "platform/qt/scripting/background_output.h"
#include "platform/qt/scripting/line_reader.h"
#include "script/live_script.h"
#include "script/virtual_time_run.h"

namespace kiro {

namespace {

// The script's file opened for reading, standard input without one; -1, said to the user,
// when it cannot be read.
int openScript(const CommandLine& options, Notices& notices) {
  if (!options.script) return STDIN_FILENO;
  // A folder opens, then reads as empty: it would pass for an empty script.
  std::error_code ignored;
  const bool folder = std::filesystem::is_directory(*options.script, ignored);
  const int fd = folder ? -1 : ::open(options.script->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int why = folder ? EISDIR : errno;
    notices.say("cannot read the script " + *options.script + ": " + std::strerror(why));
  }
  return fd;
}

// The script's snapshot and window commands act on the window, when there is one.
void giveWindow(ScriptSession& session, PhoneWindow* window, double scale) {
  if (!window) return;
  session.setSnapshotHandler([window, scale](const std::string& path) -> Result<> {
    if (window->snapshot(scale).save(QString::fromStdString(path), "PNG")) return {};
    return Error{"cannot write " + path};
  });
  session.setWindowHandler([window](int width, int height) { window->resize(width, height); });
}

// On the virtual clock nothing turns Qt's loop between two lines, so an ask turns it here until
// it is answered (within its timeout), the window's input left for after.
class AnsweredHere final : public LocationService {
 public:
  explicit AnsweredHere(LocationService& service) : service_(service) {}
  void locate(Millis timeout, Answer answer) override {
    QEventLoop loop;
    bool answered = false;
    service_.locate(timeout, [&](Result<Position> found) {
      answered = true;
      loop.quit();
      answer(std::move(found));
    });
    while (!answered) loop.exec(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  LocationService& service_;
};

}  // namespace

int runScriptOnVirtualTime(const CommandLine& options, LaunchedApp& app, SimulatedRadio* radio, PhoneWindow* window,
                           LocationService& location, VirtualRunLoop& loop) {
  std::ifstream file;
  if (options.script) {
    const int fd = openScript(options, app.notices());
    if (fd < 0) return 1;
    ::close(fd);
    file.open(*options.script);
  }
  ScriptSession session(app.delegate(), app.ui(), radio, std::cout, std::cerr);
  giveWindow(session, window, options.screenScale);
  AnsweredHere answeredHere(location);
  session.setLocationService(&answeredHere);
  return runOnVirtualTime(session, options.script ? file : std::cin, std::cout, loop, app.delegate());
}

int runScriptLive(const CommandLine& options, LaunchedApp& app, SimulatedRadio* radio, PhoneWindow* window,
                  LocationService& location, SessionReports& reports, Ending& ending) {
  const int fd = openScript(options, app.notices());
  if (fd < 0) return 1;
  const ScopeExit closeScript([fd] {
    if (fd != STDIN_FILENO) ::close(fd);
  });
  // A reader that stalls must not hold up the pump, and one that goes away ends the run as
  // a signal does.
  BackgroundOutput output(STDOUT_FILENO, [&ending, &app](const std::string& why) {
    app.notices().say("the events cannot be written, ending: " + why);
    ending.begin();
  });
  ScriptSession session(app.delegate(), app.ui(), radio, output.stream(), std::cerr);
  reports.attach(&session);
  const ScopeExit detach([&reports] { reports.attach(nullptr); });
  giveWindow(session, window, options.screenScale);
  session.setLocationService(&location);
  // Each wait is a timer and reading never blocks, so Bluetooth and the screens carry on
  // between two lines.
  LiveScript live(session, app.runLoop(), app.notices(), [&ending](int status) { ending.begin(status); });
  ending.setBeginning([&live] { live.abandon(); });
  const ScopeExit forget([&ending] { ending.setBeginning(nullptr); });
  // A rig serving the web remote (under systemd, standard input is /dev/null) runs until a
  // signal ends it: the normal end of its input is not its end.
  const bool untilSignal = options.web && !options.script;
  const LineReader reader(
      fd, ScriptSession::kMaxLineBytes, [&live](std::optional<std::string> line) { live.lineArrived(std::move(line)); },
      [&live, untilSignal](const std::string& error) {
        if (!untilSignal || !error.empty()) live.inputEnded(error);
      });
  return QCoreApplication::exec();
}

}  // namespace kiro
