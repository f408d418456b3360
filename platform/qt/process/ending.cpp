#include "platform/qt/process/ending.h"

#include <QCoreApplication>

#include <iostream>

namespace kiro {

namespace {

int exitStatus(const SettingsUserDefaults& defaults) {
  const auto kept = defaults.keepsWrites();
  if (kept.ok()) return 0;
  std::cerr << "kiro-remote: the settings could not be saved: " << kept.error().message << '\n';
  return 1;
}

}  // namespace

Ending::Ending(AppDelegate& delegate, RunLoop& runLoop, const SettingsUserDefaults& defaults)
    : shutdown_(delegate, runLoop,
                [this, &defaults] {
                  const int settings = exitStatus(defaults);
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
