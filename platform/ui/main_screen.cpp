#include "platform/ui/main_screen.h"

namespace kiro {

namespace {
const MainScreen fallback;
const MainScreen* installed = &fallback;
}  // namespace

const MainScreen& mainScreen() { return *installed; }

MainScreenScope::MainScreenScope(const MainScreen& screen) : screen_(screen), previous_(installed) {
  installed = &screen_;
}

MainScreenScope::~MainScreenScope() { installed = previous_; }

}  // namespace kiro
