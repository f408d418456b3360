#include "platform/qt/launch/launch.h"

#include "platform/qt/bluetooth/bluetooth_loader.h"
#include "platform/qt/launch/install_paths.h"
#include "platform/qt/process/bluetooth_lock.h"

namespace kiro {

Result<const BluetoothModule*> chooseBluetooth(const CommandLine& options, const std::filesystem::path& moduleFile,
                                               Notices& notices) {
  if (options.simulate) return nullptr;
  const auto opened = loadBluetoothModule(moduleFile);
  if (!opened.ok()) {
    const std::string why = "Bluetooth cannot be used: " + opened.error().message;
    if (options.bluetooth) return Error{why};
    notices.say(why);
    notices.say("using simulated receivers");
    return nullptr;
  }
  if (opened.value()->hasAdapter()) return opened.value();
  if (options.bluetooth) return Error{"--bluetooth: this machine has no Bluetooth adapter"};
  notices.say("no Bluetooth adapter found, using simulated receivers");
  return nullptr;
}

Result<Launch> launch(const CommandLine& options, Notices& notices) {
  const auto bluetooth = chooseBluetooth(options, bluetoothModuleFile(), notices);
  if (!bluetooth.ok()) return bluetooth.error();
  if (bluetooth.value()) {
    if (const auto taken = lockBluetooth(); !taken.ok()) return Error{taken.error().message + "; stopping"};
  }
  return Launch{dataFolder(), bluetooth.value()};
}

Result<> checkSettings(const SettingsUserDefaults& defaults, Notices& notices) {
  if (const auto rewrite = defaults.safeToRewrite(); !rewrite.ok()) return rewrite;
  if (const auto kept = defaults.keepsWrites(); !kept.ok())
    notices.say("settings will not be kept: " + kept.error().message);
  return {};
}

}  // namespace kiro
