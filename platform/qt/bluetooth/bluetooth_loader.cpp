#include "platform/qt/bluetooth/bluetooth_loader.h"

#include <dlfcn.h>

namespace kiro {

Result<const BluetoothModule*> loadBluetoothModule(const std::filesystem::path& file) {
  // Bound at once, so that a module that does not fit this program fails here and not at
  // its first call. It is never closed: Qt keeps pointers into it until the process ends.
  void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return Error{::dlerror()};
  const auto entry = reinterpret_cast<decltype(&kiroBluetoothModule)>(::dlsym(handle, "kiroBluetoothModule"));
  if (!entry) return Error{file.string() + ": no entry point kiroBluetoothModule"};
  return entry();
}

}  // namespace kiro
