#include "platform/qt/launch/qt_application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLoggingCategory>
#include <iostream>

namespace kiro {

bool hasDisplay(Notices& notices) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    return true;
  notices.say("no display found. Run it where there is one, or without a window:");
  // The command itself, on a line of its own to be copied.
  std::cerr << "  kiro-remote --headless --simulate --script FILE   (its commands: man kiro-remote)\n";
  return false;
}

QtApplication startQt(const CommandLine& options, int& argc, char** argv) {
  if (!options.verbose) QLoggingCategory::setFilterRules("qt.*=false\ndefault.warning=false");
  std::unique_ptr<QCoreApplication> qt = options.headless ? std::make_unique<QCoreApplication>(argc, argv)
                                                          : std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setOrganizationName("kiro-remote");
  QCoreApplication::setApplicationName("kiro-remote");
  if (options.headless) return {std::move(qt), {}};
  QGuiApplication::setDesktopFileName(KIRO_APP_ID);
  return {std::move(qt), std::jthread([] { QFontDatabase::families(); })};
}

}  // namespace kiro
