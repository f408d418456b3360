#include "script/command_line.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

namespace kiro {

namespace {

bool parsePositive(std::string_view text, double& out) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > 10000) return false;
  out = value;
  return true;
}

// "WxH@S", each a positive number.
bool parseScreen(const std::string& text, CommandLine& options) {
  const auto x = text.find('x');
  const auto at = text.find('@');
  if (x == std::string::npos || at == std::string::npos || at < x) return false;
  const std::string_view view(text);
  return parsePositive(view.substr(0, x), options.screenWidth) &&
         parsePositive(view.substr(x + 1, at - x - 1), options.screenHeight) &&
         parsePositive(view.substr(at + 1), options.screenScale);
}

// "[ADDR:]PORT"; an IPv6 address in brackets, as in "[::1]:8080".
std::optional<WebListen> parseWeb(const std::string& text) {
  WebListen listen;
  const auto colon = text.rfind(':');
  std::string_view port(text);
  if (colon != std::string::npos) {
    std::string address = text.substr(0, colon);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']') address = address.substr(1, address.size() - 2);
    if (address.empty() || address.find_first_of("[] ") != std::string::npos) return std::nullopt;
    listen.address = address;
    port = port.substr(colon + 1);
  }
  unsigned value = 0;
  auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  if (port.empty() || error != std::errc() || end != port.data() + port.size() || value > 65535) return std::nullopt;
  listen.port = static_cast<std::uint16_t>(value);
  return listen;
}

}  // namespace

Result<CommandLine> parseCommandLine(const std::vector<std::string>& args) {
  CommandLine options;
  const std::map<std::string, bool*> flags{
      {"--help", &options.help},         {"-h", &options.help},
      {"--version", &options.version},   {"--simulate", &options.simulate},
      {"--bluetooth", &options.bluetooth}, {"--headless", &options.headless},
      {"--virtual-time", &options.virtualTime}, {"--verbose", &options.verbose},
  };
  const std::map<std::string, std::optional<std::string>*> values{
      {"--script", &options.script}, {"--settings", &options.settings}, {"--documents", &options.documents},
      {"--action", &options.action}, {"--web-cert", &options.webCert}, {"--web-key", &options.webKey}};

  for (std::size_t i = 0; i < args.size(); ++i) {
    // "--opt=value" reads as "--opt value".
    const std::size_t equals = args[i].rfind("--", 0) == 0 ? args[i].find('=') : std::string::npos;
    const std::string arg = args[i].substr(0, equals);
    if (auto flag = flags.find(arg); flag != flags.end()) {
      if (equals != std::string::npos) return Error{arg + " takes no value"};
      *flag->second = true;
      continue;
    }
    const bool isScreen = arg == "--screen";
    const bool isWeb = arg == "--web";
    auto value = values.find(arg);
    if (!isScreen && !isWeb && value == values.end()) return Error{"unknown option " + arg + " (see --help)"};
    const bool inline_ = equals != std::string::npos;
    if (!inline_ && i + 1 >= args.size()) return Error{arg + " needs a value"};
    const std::string given = inline_ ? args[i].substr(equals + 1) : args[++i];
    if (given.empty()) return Error{arg + " needs a value"};
    if (isScreen) {
      if (!parseScreen(given, options)) return Error{"--screen takes WxH@S, such as 375x667@2, not " + given};
    } else if (isWeb) {
      options.web = parseWeb(given);
      if (!options.web) return Error{"--web takes [ADDR:]PORT, such as 8080 or 0.0.0.0:8080, not " + given};
    } else {
      *value->second = given;
    }
  }
  static const std::vector<std::string> actions{"shoot", "focus", "self-timer", "stop"};
  if (options.action && std::find(actions.begin(), actions.end(), *options.action) == actions.end())
    return Error{"--action takes shoot, focus, self-timer or stop, not " + *options.action};
  if (options.simulate && options.bluetooth) return Error{"--simulate and --bluetooth exclude each other"};
  if (options.virtualTime && !(options.headless && options.simulate))
    return Error{"--virtual-time works only with --headless --simulate"};
  if (options.webCert.has_value() != options.webKey.has_value())
    return Error{"--web-cert and --web-key go together"};
  if (options.webCert && !options.web) return Error{"--web-cert and --web-key need --web"};
  if (options.web && options.virtualTime) return Error{"--web does not run on the virtual clock"};
  return options;
}

std::string usageText() {
  return "Usage: kiro-remote [options]\n"
         "The wireless remote control for the KIRO camera receiver.\n\n"
         "  --simulate          use simulated KIRO receivers, even with a Bluetooth adapter\n"
         "  --bluetooth         use the Bluetooth adapter (an error when there is none)\n"
         "  --headless          run without a window (for scripts)\n"
         "  --script FILE       run the commands in FILE (standard input with --headless and no FILE)\n"
         "  --virtual-time      run on a virtual clock (with --headless --simulate): deterministic scripts\n"
         "  --settings FILE     keep the user defaults in FILE (an INI file)\n"
         "  --documents DIR     keep the object store in DIR\n"
         "  --screen WxH@S      the phone's screen in points and its scale (default 375x667@2)\n"
         "  --verbose           print the log on stderr and send it to the system log\n"
         "  --web [ADDR:]PORT   serve the web remote on PORT of ADDR (default loopback only)\n"
         "  --web-cert FILE     with --web-key FILE: serve it over HTTPS\n"
         "  --action NAME       have the running app (started if need be) shoot, focus, self-timer or stop\n"
         "  --version           print the version and exit\n"
         "  --help              print this text and exit\n\n"
         "Keys in the window:\n"
         "  F                   focus, as a touch on F\n"
         "  R or Space          held: the shutter held; let go: released\n"
         "  volume, camera key  on the remote screen, as R; the camera's focus key as F\n"
         "  Escape, Alt+Left    back\n"
         "  T                   the timed shooting screen (nothing while a sequence runs)\n"
         "  S                   stop a timed sequence; on the timed shooting screen: start\n"
         "  P, U                on the timed shooting screen: the presets; on the presets: undo a delete\n"
         "  Tab, arrows, Enter  move between the buttons and the list rows, and tap one\n\n"
         "The script commands, the events, the settings kept and the D-Bus interface: man kiro-remote\n";
}

}  // namespace kiro
