#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "app/app_delegate.h"
#include "app/remote_control.h"
#include "script/command_line.h"
#include "script/live_script.h"
#include "script/script_session.h"
#include "script/session_reports.h"
#include "script/virtual_time_run.h"
#include "ui/ui_events.h"
#include "link/link_manager.h"
#include "platform/platform.h"
#include "platform/qt/scripting/background_output.h"
#include "platform/qt/bluetooth/bluetooth_loader.h"
#include "platform/qt/process/bluetooth_lock.h"
#include "platform/qt/desktop/control_object.h"
#include "platform/qt/process/ending.h"
#include "platform/qt/scripting/line_reader.h"
#include "platform/qt/window/phone_window.h"
#include "platform/qt/ports/qt_run_loop.h"
#include "platform/qt/desktop/keep_awake.h"
#include "platform/qt/ports/qt_sound.h"
#include "platform/qt/desktop/session_presence.h"
#include "platform/qt/ports/settings_user_defaults.h"
#include "platform/qt/ports/system_log.h"
#include "platform/qt/window/window_language.h"
#include "base/scope_exit.h"
#include "base/terminal_text.h"
#include "platform/sim/demo_receivers.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/sim/virtual_wall_clock.h"
#include "ui/asset_catalog.h"
#include "ui/main_screen.h"

namespace {

using namespace kiro;

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Runs the script on the event loop as its lines arrive from fd: each wait is a timer, and
// reading never blocks, so Bluetooth and the screens carry on meanwhile.
int runOnEventLoop(ScriptSession& session, int fd, RunLoop& runLoop, Ending& ending) {
  LiveScript live(session, runLoop, std::cerr, [&ending](int status) { ending.begin(status); });
  ending.setBeginning([&live] { live.abandon(); });
  const ScopeExit forget([&ending] { ending.setBeginning(nullptr); });
  const LineReader reader(
      fd, ScriptSession::kMaxLineBytes, [&live](std::optional<std::string> line) { live.lineArrived(std::move(line)); },
      [&live](const std::string& error) { live.inputEnded(error); });
  return QCoreApplication::exec();
}

// Where the object store lives: the app's own data folder unless told otherwise. A folder
// the store cannot be made in is said at start-up; the store itself fails at its first use.
std::filesystem::path documentsFolder(const CommandLine& options) {
  const std::filesystem::path folder =
      options.documents ? std::filesystem::path(*options.documents)
                        : std::filesystem::path(
                              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
                              "kiro-remote";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && ::access(folder.c_str(), W_OK) != 0) error = std::error_code(errno, std::generic_category());
  if (error)
    std::cerr << "kiro-remote: the saved data cannot be kept in " << terminalSafe(folder.string()) << ": "
              << error.message() << '\n';
  return folder;
}

// The folder that holds entry: the executable's own in the build tree, else installed, the
// path from the executable's folder that the install rules put it at.
std::filesystem::path folderHolding(const char* entry, const char* installed) {
  const std::filesystem::path executableFolder = QCoreApplication::applicationDirPath().toStdString();
  std::error_code ignored;
  if (std::filesystem::exists(executableFolder / entry, ignored)) return executableFolder;
  return (executableFolder / installed).lexically_normal();
}

// Every size of the desktop's icon, for the window managers that draw one on the window.
QIcon windowIcon() {
  QIcon icon;
  const QDir sizes(":/data/icons/hicolor");
  for (const QString& size : sizes.entryList())
    icon.addFile(sizes.filePath(size + "/apps/" KIRO_APP_ID ".png"));
  return icon;
}

// The Qt central's module; null, said on stderr, when it cannot be opened.
const BluetoothModule* openBluetoothModule() {
  constexpr const char* kModule = "kiro-bluetooth.so";
  const auto opened = loadBluetoothModule(folderHolding(kModule, KIRO_INSTALLED_MODULES) / kModule);
  if (!opened.ok()) {
    std::cerr << "kiro-remote: Bluetooth cannot be used: " << terminalSafe(opened.error().message) << '\n';
    return nullptr;
  }
  return opened.value();
}

// Whether to use simulated receivers, with the module when not; nullopt when Bluetooth is
// required and cannot be had.
std::optional<bool> useSimulatedReceivers(const CommandLine& options, const BluetoothModule*& bluetooth) {
  if (options.simulate) return true;
  bluetooth = openBluetoothModule();
  if (bluetooth && bluetooth->hasAdapter()) return false;
  if (options.bluetooth) {
    if (bluetooth) std::cerr << "kiro-remote: --bluetooth: this machine has no Bluetooth adapter\n";
    return std::nullopt;
  }
  std::cerr << (bluetooth ? "kiro-remote: no Bluetooth adapter found, using simulated receivers\n"
                          : "kiro-remote: using simulated receivers\n");
  return true;
}

// Opens the script file for reading; -1 with errno set when it cannot be read.
int openScript(const std::string& path) {
  // A folder opens, then reads as empty: it would pass for an empty script.
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    errno = EISDIR;
    return -1;
  }
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

// Runs the script of the options (or standard input) against the launched app.
int runScript(const CommandLine& options, AppDelegate& delegate, UiEvents& ui, SimulatedRadio* radio,
              PhoneWindow* window, RunLoop& runLoop, SessionReports& reports, Ending* ending) {
  const int fd = options.script ? openScript(*options.script) : STDIN_FILENO;
  if (fd < 0) {
    std::cerr << "kiro-remote: cannot read the script " << terminalSafe(*options.script) << ": "
              << std::strerror(errno) << '\n';
    return 1;
  }
  const ScopeExit closeScript([fd] {
    if (fd != STDIN_FILENO) ::close(fd);
  });
  // On real time, a reader that stalls must not hold up the pump, and one that goes away
  // ends the run as a signal does.
  std::optional<BackgroundOutput> output;
  if (ending) {
    output.emplace(STDOUT_FILENO, [ending](const std::string& why) {
      std::cerr << "kiro-remote: the events cannot be written, ending: " << why << '\n';
      ending->begin();
    });
  }
  ScriptSession session(delegate, ui, radio, output ? output->stream() : std::cout, std::cerr);
  // The real stack and other programs report through the session only while it exists.
  reports.attach(&session);
  const ScopeExit detach([&reports] { reports.attach(nullptr); });
  if (window) {
    session.setSnapshotHandler([window, &options](const std::string& path) -> Result<> {
      if (window->snapshot(options.screenScale).save(QString::fromStdString(path), "PNG")) return {};
      return Error{"cannot write " + path};
    });
    session.setWindowHandler([window](int width, int height) { window->resize(width, height); });
  }
  if (ending) return runOnEventLoop(session, fd, runLoop, *ending);
  std::ifstream file;
  if (options.script) file.open(*options.script);
  return runOnVirtualTime(session, options.script ? file : std::cin, std::cout, static_cast<VirtualRunLoop&>(runLoop),
                          delegate);
}

int run(const CommandLine& options, int argc, char** argv) {
  // Qt's own warnings (such as an old or missing BlueZ) mean little to a user, who gets the
  // app's own line on what it found; --verbose or QT_LOGGING_RULES shows them.
  if (!options.verbose) QLoggingCategory::setFilterRules("qt.*=false\ndefault.warning=false");
  std::unique_ptr<QCoreApplication> qt = options.headless ? std::make_unique<QCoreApplication>(argc, argv)
                                                          : std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setOrganizationName("kiro-remote");
  QCoreApplication::setApplicationName("kiro-remote");
  // One window: a second launch raises the first one's. The name is taken here, before the
  // window opens, so that of two launches at once only one opens a window.
  if (!options.headless && !options.script && activateRunningInstance()) return 0;
  // The first frame's text reads the font database, which takes a while to fill: it is
  // filled on another core meanwhile (it may be read from any thread).
  std::jthread fontDatabase;
  if (!options.headless) {
    QGuiApplication::setDesktopFileName(KIRO_APP_ID);
    fontDatabase = std::jthread([] { QFontDatabase::families(); });
  }
  // The pictures and the data model.
  const std::filesystem::path home = folderHolding("assets", KIRO_INSTALLED_DATA);
  const WindowLanguage language(home);
  const BluetoothModule* bluetoothModule = nullptr;
  const auto simulated = useSimulatedReceivers(options, bluetoothModule);
  if (!simulated) return 1;
  if (const auto taken = *simulated ? Result<>() : lockBluetooth(); !taken.ok()) {
    std::cerr << "kiro-remote: " << taken.error().message << "; stopping\n";
    return 1;
  }

  std::unique_ptr<RunLoop> runLoop;
  if (options.virtualTime)
    runLoop = std::make_unique<VirtualRunLoop>();
  else
    runLoop = std::make_unique<QtRunLoop>();
  SettingsUserDefaults defaults(QString::fromStdString(options.settings.value_or("")));
  // A file that is not ours would be rewritten as INI on the first write: refuse it whole.
  if (const auto rewrite = defaults.safeToRewrite(); !rewrite.ok()) {
    std::cerr << "kiro-remote: " << rewrite.error().message << '\n';
    return 2;
  }
  if (const auto kept = defaults.keepsWrites(); !kept.ok())
    std::cerr << "kiro-remote: settings will not be kept: " << kept.error().message << '\n';
  SystemLog log(options.verbose);
  std::unique_ptr<SimulatedRadio> radio = *simulated ? std::make_unique<SimulatedRadio>(*runLoop) : nullptr;
  // The real stack's writes and link states become script events while a script runs.
  SessionReports reports;
  QtCentralOptions bluetooth;
  bluetooth.onWrite = [&reports](const Peripheral& peripheral, const Bytes& bytes, WriteType type) {
    reports.write(peripheral, bytes, type);
  };
  bluetooth.onWriteFailed = [&reports](const Peripheral& peripheral, const Bytes& bytes, const std::string& reason) {
    reports.writeFailed(peripheral, bytes, reason);
  };
  bluetooth.onStateChange = [&reports](const Peripheral& peripheral) { reports.stateChanged(peripheral); };
  Platform installed{*runLoop, defaults, log,
                     radio ? radio->centralFactory() : bluetoothModule->centralFactory(bluetooth)};
  PlatformScope platformScope(installed);
  // On the virtual clock the wall clock moves with it, from a fixed day in UTC, so a run repeats.
  std::unique_ptr<WallClock> wall;
  if (options.virtualTime) wall = std::make_unique<VirtualWallClock>(*runLoop);
  else wall = std::make_unique<SystemWallClock>();
  WallClockScope wallClockScope(*wall);
  std::unique_ptr<Sound> sound;
  if (options.virtualTime) sound = std::make_unique<SilentSound>("no sound is played on the virtual clock", std::cerr);
  else sound = std::make_unique<QtSound>();
  SoundScope soundScope(*sound);
  // The link manager holds the platform's parts: it must end before they do.
  const ScopeExit linkManagerEnd([] { singleton::resetShared(); });

  const Size bounds{options.screenWidth, options.screenHeight};
  const MainScreen screen{bounds, options.screenScale,
                          Size{bounds.width * options.screenScale, bounds.height * options.screenScale}};
  MainScreenScope screenScope(screen);
  const AssetCatalog assets(home / "assets");
  AssetCatalogScope assetScope(assets);
  AlertQueue alerts;
  AlertQueueScope alertScope(alerts);

  Application application;
  AppDelegate delegate(application, documentsFolder(options), home / kModelResourceName, log);
  delegate.didFinishLaunchingWithOptions();
  delegate.window()->display();
  UiEvents ui(delegate.window()->rootViewController(), alerts);

  std::unique_ptr<PhoneWindow> window;
  UiSubscription drawing;
  if (!options.headless) {
    window = std::make_unique<PhoneWindow>(delegate.window()->rootViewController(), alerts,
                                           QSize(static_cast<int>(bounds.width), static_cast<int>(bounds.height)));
    window->setWindowTitle(shownText(*simulated ? "KIRO Remote (simulated receivers)" : "KIRO Remote"));
    drawing = ui.subscribe({[&window](View& view, ViewProperty property) { window->modelChanged(view, property); },
                            [&window](NavigationChange change, bool animated) { window->navigationChanged(change, animated); },
                            [&window] { window->modelChanged(); }});
    // Reading every size of the icon would hold up the first frame.
    window->afterFirstFrame([] { QGuiApplication::setWindowIcon(windowIcon()); });
    window->show();
  }

  // On the virtual clock nothing real is held, and time moves only as the script says:
  // no ending from outside, and no other program may call in.
  std::optional<Ending> ending;
  RemoteControl control(delegate, *runLoop);
  std::unique_ptr<ControlObject> controlObject;
  std::unique_ptr<KeepAwake> awake;
  UiSubscription announcing;
  Subscription timerAnnouncing;
  if (!options.virtualTime) {
    ending.emplace(delegate, *runLoop, defaults);
    awake = std::make_unique<KeepAwake>([&delegate] { return shotUnderWay(*delegate.remote()); },
                                        [&delegate] { delegate.remote()->letGo("the system went to sleep"); }, window != nullptr);
    awake->setIdleTimerDisabled(application.isIdleTimerDisabled());
    application.setIdleTimerObserver([&awake](bool disabled) { awake->setIdleTimerDisabled(disabled); });
    std::function<void()> raise;
    if (window) raise = [&window] {
      window->show();
      window->raise();
      window->activateWindow();
    };
    controlObject = exportControl(control, {raise,
                                            [&reports](const std::string& method, const std::string& caller) {
                                              reports.remote(method, caller);
                                            }});
    // What the screen shows changed: other programs and the inhibitors hear of it.
    const auto refresh = [&controlObject, &awake] {
      if (controlObject) controlObject->refresh();
      awake->refresh();
    };
    announcing = ui.subscribe({[refresh](View&, ViewProperty) { refresh(); }, [refresh](NavigationChange, bool) { refresh(); }, refresh});
    timerAnnouncing = delegate.remote()->onTimedShooting([refresh](const ShootingStatus&) { refresh(); });
  }
  if (window) {
    // Closing the window lets the shutter go like any other ending.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&ending] { ending->begin(); });
  }
  if (options.script || options.headless)
    return runScript(options, delegate, ui, radio.get(), window.get(), *runLoop, reports, ending ? &*ending : nullptr);
  if (radio) addDemoReceivers(*radio);
  QObject::connect(qt.get(), &QCoreApplication::aboutToQuit, [&delegate, &ending] {
    if (!ending->begun()) delegate.applicationWillTerminate();
  });
  return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // A reader of standard output that goes away is a write error, handled where events are written.
  std::signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  const auto parsed = kiro::parseCommandLine(args);
  if (!parsed.ok()) {
    std::cerr << "kiro-remote: " << terminalSafe(parsed.error().message) << '\n';
    return 2;
  }
  const auto& options = parsed.value();
  if (options.help) {
    std::cout << kiro::usageText();
    return 0;
  }
  if (options.version) {
    std::cout << "kiro-remote " << KIRO_VERSION << '\n';
    return 0;
  }
  if (options.action) {
    const QCoreApplication qt(argc, argv);
    if (const auto ran = kiro::runDesktopAction(*options.action); !ran.ok()) {
      std::cerr << "kiro-remote: --action " << *options.action << ": " << ran.error().message << '\n';
      return 1;
    }
    return 0;
  }
  if (!options.headless && !hasDisplay()) {
    std::cerr << "kiro-remote: no display found. Run it where there is one, or without a window:\n"
                 "  kiro-remote --headless --simulate --script FILE   (its commands: man kiro-remote)\n";
    return 1;
  }
  return run(options, argc, argv);
}
