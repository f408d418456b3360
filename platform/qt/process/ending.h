#pragma once

#include <functional>

#include "app/shutdown.h"
#include "platform/qt/process/quit_signals.h"
#include "platform/qt/ports/settings_user_defaults.h"

namespace kiro {

// How a run on real time ends, whoever asks (a quit signal, a closed standard output, the
// window closed, a script's quit, end or bad line): as quitting does, with the shutter let
// go and the link closed, then the event loop left with the status asked for, else 1 when
// the settings could not be saved, else 0.
class Ending {
 public:
  // notices: told when the settings could not be saved. All must outlive it.
  Ending(AppDelegate& delegate, RunLoop& runLoop, const SettingsUserDefaults& defaults, Notices& notices);

  // status: the exit status asked for; the first begin's counts.
  void begin(int status = 0);
  bool begun() const { return shutdown_.begun(); }
  // beginning: told first, as the ending begins (a script stops reading); may be empty.
  void setBeginning(std::function<void()> beginning) { beginning_ = std::move(beginning); }

 private:
  Shutdown shutdown_;
  QuitSignals signals_;
  std::function<void()> beginning_;
  int status_ = 0;
};

}  // namespace kiro
