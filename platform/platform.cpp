#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace kiro {

namespace {
const Platform* installed = nullptr;
}

const Platform& platform() {
  if (installed == nullptr) {
    std::fputs("kiro: no platform installed\n", stderr);
    std::abort();
  }
  return *installed;
}

PlatformScope::PlatformScope(const Platform& platform) : previous_(installed) { installed = &platform; }

PlatformScope::~PlatformScope() { installed = previous_; }

}  // namespace kiro
