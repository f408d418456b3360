#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/notices.h"
#include "platform/qt/desktop/desktop.h"
#include "platform/qt/desktop/session_presence.h"
#include "platform/qt/launch/launch.h"
#include "platform/qt/launch/launched_app.h"
#include "platform/qt/launch/qt_application.h"
#include "platform/qt/launch/runtime.h"
#include "platform/qt/location/qt_location_service.h"
#include "platform/qt/mpris/mpris_player.h"
#include "platform/qt/ports/settings_user_defaults.h"
#include "platform/qt/ports/system_log.h"
#include "platform/qt/process/service_notifier.h"
#include "platform/qt/scripting/script_runs.h"
#include "platform/qt/web/pairing_notice.h"
#include "platform/qt/web/qt_web_remote.h"
#include "platform/qt/window/app_window.h"
#include "platform/qt/window/window_language.h"
#include "platform/sim/demo_receivers.h"
#include "platform/sim/simulated_web_remote.h"
#include "script/command_line.h"

using namespace kiro;

namespace {

// Says why the run cannot go on and gives the exit status.
int refused(Notices& notices, const std::string& why, int status) {
  notices.say(why);
  return status;
}

int run(const CommandLine& options, int& argc, char** argv, Notices& notices) {
  const auto qt = startQt(options, argc, argv);
  // One window: a second launch raises the first one's. The name is taken here, before the
  // window opens, so that of two launches at once only one opens a window.
  if (!options.headless && !options.script && activateRunningInstance(notices)) return 0;
  const auto launched = launch(options, notices);
  if (!launched.ok()) return refused(notices, launched.error().message, 1);
  const WindowLanguage language(launched.value().data);
  SettingsUserDefaults defaults(notices, QString::fromStdString(options.settings.value_or("")));
  if (const auto usable = checkSettings(defaults, notices); !usable.ok())
    return refused(notices, usable.error().message, 2);
  SystemLog log(options.verbose);
  SessionReports reports;
  Runtime runtime(options.virtualTime, launched.value().bluetooth, reports, notices);
  SimulatedWebRemote simulatedWeb;
  LaunchedApp app(options, runtime, defaults, log, notices, launched.value().data);
  // A script on simulated receivers drives a web remote with no network, unless --web serves one.
  const bool webSimulated = runtime.radio() && options.script && !options.web;
  if (webSimulated) app.delegate().setWebRemote(&simulatedWeb);
  std::optional<AppWindow> window;
  if (!options.headless) window.emplace(*app.delegate().window(), app.alerts(), app.ui(), runtime.radio() != nullptr);
  PhoneWindow* phone = window ? &window->phone() : nullptr;
  QtLocationService location;
  // On the virtual clock nothing real is held and time moves only as the script says: no
  // ending from outside, and no other program may call in.
  if (VirtualRunLoop* loop = runtime.virtualLoop())
    return runScriptOnVirtualTime(options, app, runtime.radio(), phone, location, *loop);
  Desktop desktop(app, defaults, phone, reports);
  std::optional<QSslConfiguration> tls;
  if (options.webCert) {
    auto made = tlsFrom(*options.webCert, *options.webKey);
    if (!made.ok()) return refused(notices, made.error().message, 2);
    tls = std::move(made).value();
  }
  QtWebRemote web({options.web.value_or(WebListen{.port = 8080}), std::move(tls)}, desktop.control(), defaults, notices,
                  [&reports](const std::string& verb, const std::string& caller) { reports.remote(verb, caller); });
  const Subscription webTold = desktop.onChange([&web] { web.refresh(); });
  // The screens drive it until it goes, before them.
  struct Given {
    AppDelegate& delegate;
    ~Given() { delegate.setWebRemote(nullptr); }
  } const webGiven{app.delegate()};
  if (!webSimulated) app.delegate().setWebRemote(&web);
  if (options.web) web.setServing(true);
  std::optional<PairingNotice> pairing;
  if (options.headless) pairing.emplace(web, notices);
  const auto player = exportMprisPlayer(app, desktop, reports);
  // A rig is up once its web remote listens; a run without one, at once.
  ServiceNotifier service(app.notices());
  if (!options.web || web.status().serving) service.ready();
  if (options.script || options.headless)
    return runScriptLive(options, app, runtime.radio(), phone, location, reports, desktop.ending());
  if (SimulatedRadio* radio = runtime.radio()) addDemoReceivers(*radio);
  return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // A reader of standard output that goes away is a write error, handled where events are written.
  std::signal(SIGPIPE, SIG_IGN);
  StderrNotices notices;
  const auto parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) return refused(notices, parsed.error().message, 2);
  const CommandLine& options = parsed.value();
  if (options.help || options.version) {
    std::cout << (options.help ? usageText() : std::string("kiro-remote " KIRO_VERSION "\n"));
    return 0;
  }
  if (options.action) {
    const QCoreApplication qt(argc, argv);
    const auto ran = runDesktopAction(*options.action);
    return ran.ok() ? 0 : refused(notices, "--action " + *options.action + ": " + ran.error().message, 1);
  }
  if (!options.headless && !hasDisplay(notices)) return 1;
  return run(options, argc, argv, notices);
}
