#include "platform/qt/launch/qt_application.h"

#include <QApplication>
#include <QLoggingCategory>

namespace kiro {

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::unique_ptr<QCoreApplication> startQt(const CommandLine& options, int& argc, char** argv) {
  if (!options.verbose) QLoggingCategory::setFilterRules("qt.*=false\ndefault.warning=false");
  std::unique_ptr<QCoreApplication> qt = options.headless ? std::make_unique<QCoreApplication>(argc, argv)
                                                          : std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setOrganizationName("kiro-remote");
  QCoreApplication::setApplicationName("kiro-remote");
  if (!options.headless) QGuiApplication::setDesktopFileName(KIRO_APP_ID);
  return qt;
}

}  // namespace kiro
