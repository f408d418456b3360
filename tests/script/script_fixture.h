#pragma once

#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ui/alert.h"
#include "ui/ui_events.h"
#include "script/script_session.h"
#include "script/virtual_time_run.h"
#include "tests/app/app_shell_fixture.h"

namespace kiro::app_test {

inline const std::string kReceiverId = "4B49524F-0000-4000-8000-000000000001";

// Adds one KIRO, scans, picks it on the device list and goes back to the remote screen.
// options: those of receiver add.
inline std::string connectScript(const std::string& options = "") {
  return "receiver add \"KIRO 1\" --id " + kReceiverId + " " + options +
         "\nwait 1100\ntap search\nwait 50\nselect 0\nwait 500\ntap back\nwait 600\n";
}

// The launched app driven by a script session on the virtual clock, its events and errors kept.
class ScriptFixture : public AppShellFixture {
 protected:
  void SetUp() override {
    AppShellFixture::SetUp();
    launch();
    ui.emplace(delegate->window()->rootViewController(), alertQueue());
    session.emplace(*delegate, *ui, &radio, out, errors);
  }
  void TearDown() override {
    session.reset();
    ui.reset();
    AppShellFixture::TearDown();
  }

  // Runs script as the headless host does on the virtual clock, ending and all; returns the
  // exit status.
  int run(const std::string& script) {
    std::istringstream input(script);
    return runOnVirtualTime(*session, input, out, loop, *delegate);
  }

  // The lines of event so far, without their time stamps.
  std::vector<std::string> events(const std::string& event) const {
    static const std::regex time(R"(^\{"t":\d+,)");
    std::vector<std::string> lines;
    std::istringstream all(out.str());
    for (std::string line; std::getline(all, line);)
      if (line.find("\"event\":\"" + event + "\"") != std::string::npos) lines.push_back(std::regex_replace(line, time, "{"));
    return lines;
  }

  std::ostringstream out;
  std::ostringstream errors;
  std::optional<UiEvents> ui;
  std::optional<ScriptSession> session;
};

}  // namespace kiro::app_test
