#pragma once

#include <QCoreApplication>

#include <memory>
#include <thread>

#include "platform/notices.h"
#include "script/command_line.h"

namespace kiro {

// Whether a window can open here: a display, or a Qt platform, is named. Where none is, says
// so with the command that runs without a window.
bool hasDisplay(Notices& notices);

// Qt's application for the run, with widgets unless headless, named as the app. Qt's own
// warnings (such as an old or missing BlueZ) mean little to a user, who gets the app's own
// line on what it found: only --verbose or QT_LOGGING_RULES shows them. argc must outlive it.
struct QtApplication {
  std::unique_ptr<QCoreApplication> application;
  // The first frame's text reads the font database, which takes a while to fill: with a
  // window it is filled on another core meanwhile (it may be read from any thread).
  std::jthread fontDatabase;
};
QtApplication startQt(const CommandLine& options, int& argc, char** argv);

}  // namespace kiro
