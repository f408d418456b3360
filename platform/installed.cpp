#include "platform/installed.h"

#include <cstdio>
#include <cstdlib>

namespace kiro {

void noServiceInstalled(const char* what) {
  std::fprintf(stderr, "kiro: no %s installed\n", what);
  std::abort();
}

}  // namespace kiro
