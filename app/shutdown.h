#pragma once

#include <functional>

#include "app/app_delegate.h"
#include "base/lifetime.h"
#include "platform/run_loop.h"

namespace kiro {

// Ends the app as a careful hand would leave it, whatever asked for the end (a signal, a
// closed standard output, the window closing): a timed sequence stops, a held shutter is
// let go as by a hand on R and its release notice goes out for a moment, the link is
// closed, and the object store is saved. The run loop keeps running meanwhile.
class Shutdown {
 public:
  // How long the release notice goes out before the link is closed: several frames, so
  // that one reaches the receiver even over a slow link.
  static constexpr Millis kNoticeTime{150};
  // How long the link may take to close before the app ends anyway.
  static constexpr Millis kCloseLimit{500};

  // delegate: the launched app; finished: called once, when everything is done. Both must
  // outlive it.
  Shutdown(AppDelegate& delegate, RunLoop& runLoop, std::function<void()> finished);

  // Starts the ending; later calls do nothing.
  void begin();
  bool begun() const { return begun_; }

 private:
  void closeLink();
  void awaitClosed(Millis left);
  void finish();

  AppDelegate& delegate_;
  RunLoop& runLoop_;
  std::function<void()> finished_;
  bool begun_ = false;
  Lifetime lifetime_;
};

}  // namespace kiro
