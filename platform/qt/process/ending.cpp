#include "platform/qt/process/ending.h"

#include <QCoreApplication>

namespace kiro {

namespace {

int exitStatus(const SettingsUserDefaults& defaults, Notices& notices) {
  const auto kept = defaults.keepsWrites();
  if (kept.ok()) return 0;
  notices.say("the settings could not be saved: " + kept.error().message);
  return 1;
}

}  // namespace

Ending::Ending(AppDelegate& delegate, RunLoop& runLoop, const SettingsUserDefaults& defaults, Notices& notices)
    : shutdown_(delegate, runLoop,
                [this, &defaults, &notices] {
                  const int settings = exitStatus(defaults, notices);
                  QCoreApplication::exit(status_ != 0 ? status_ : settings);
                }),
      signals_([this](int) { begin(); }) {}

void Ending::begin(int status) {
  if (shutdown_.begun()) return;
  status_ = status;
  if (beginning_) beginning_();
  shutdown_.begin();
}

}  // namespace kiro
