#include "app/shutdown.h"

#include "link/link_manager.h"

namespace kiro {

namespace {

constexpr Millis kPollStep{25};

}  // namespace

Shutdown::Shutdown(AppDelegate& delegate, RunLoop& runLoop, std::function<void()> finished)
    : delegate_(delegate), runLoop_(runLoop), finished_(std::move(finished)) {}

void Shutdown::begin() {
  if (std::exchange(begun_, true)) return;
  if (!delegate_.remote()->letGo(Text("the app is ending"))) return closeLink();
  runLoop_.performAfterDelay(kNoticeTime, lifetime_.guard([this] { closeLink(); }));
}

void Shutdown::closeLink() {
  if (!singleton::sharedExists()) return finish();
  auto& manager = singleton::defaultManager();
  // The remote screen must not connect again what is being closed.
  manager.setConnectionFlag(0);
  const auto peripheral = manager.peripheral();
  if (!peripheral || peripheral->state() == PeripheralState::disconnected) return finish();
  manager.cancelPeripheral();
  awaitClosed(kCloseLimit);
}

void Shutdown::awaitClosed(Millis left) {
  const auto peripheral = singleton::defaultManager().peripheral();
  if (left <= Millis{0} || !peripheral || peripheral->state() == PeripheralState::disconnected) return finish();
  runLoop_.performAfterDelay(kPollStep, lifetime_.guard([this, left] { awaitClosed(left - kPollStep); }));
}

void Shutdown::finish() {
  delegate_.applicationWillTerminate();
  finished_();
}

}  // namespace kiro
