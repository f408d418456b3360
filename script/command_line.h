#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace kiro {

// Where the web remote listens: loopback unless an address is given on purpose.
struct WebListen {
  std::string address = "127.0.0.1";
  std::uint16_t port = 0;  // 0: any free port
  friend bool operator==(const WebListen&, const WebListen&) = default;
};

// How kiro-remote was asked to run.
struct CommandLine {
  bool help = false;
  bool version = false;
  bool simulate = false;   // simulated receivers even when an adapter is present
  bool bluetooth = false;  // the real adapter, or an error when there is none
  bool headless = false;   // no window
  bool virtualTime = false;
  bool verbose = false;    // the log on stderr too
  std::optional<std::string> script;
  std::optional<std::string> settings;
  std::optional<std::string> documents;
  std::optional<std::string> action;  // a desktop action for the running instance
  std::optional<WebListen> web;        // serve the web remote this run
  std::optional<std::string> webCert;  // with webKey: serve it over HTTPS
  std::optional<std::string> webKey;
  double screenWidth = 375;  // points
  double screenHeight = 667;
  double screenScale = 2;
};

// args: the arguments after the program name. Returns the options, or a message saying
// what is wrong with them.
Result<CommandLine> parseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string usageText();

}  // namespace kiro
