#include "platform/qt/launch/install_paths.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kiro {

namespace {

// The folder that holds entry: the executable's own in the build tree, else installed, the
// path from the executable's folder that the install rules put it at.
std::filesystem::path folderHolding(const char* entry, const char* installed) {
  const std::filesystem::path executableFolder = QCoreApplication::applicationDirPath().toStdString();
  std::error_code ignored;
  if (std::filesystem::exists(executableFolder / entry, ignored)) return executableFolder;
  return (executableFolder / installed).lexically_normal();
}

}  // namespace

std::filesystem::path dataFolder() { return folderHolding("assets", KIRO_INSTALLED_DATA); }

std::filesystem::path bluetoothModuleFile() {
  constexpr const char* kModule = "kiro-bluetooth.so";
  return folderHolding(kModule, KIRO_INSTALLED_MODULES) / kModule;
}

std::filesystem::path documentsFolder(const std::optional<std::string>& given, Notices& notices) {
  const std::filesystem::path folder =
      given ? std::filesystem::path(*given)
            : std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
                  "kiro-remote";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && ::access(folder.c_str(), W_OK) != 0) error = std::error_code(errno, std::generic_category());
  if (error) notices.say("the saved data cannot be kept in " + folder.string() + ": " + error.message());
  return folder;
}

}  // namespace kiro
