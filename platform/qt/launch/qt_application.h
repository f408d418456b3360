#pragma once

#include <QCoreApplication>

#include <memory>

#include "script/command_line.h"

namespace kiro {

// Whether a window can open here: a display, or a Qt platform, is named.
bool hasDisplay();

// Qt's application for the run, with widgets unless headless, named as the app. Qt's own
// warnings (such as an old or missing BlueZ) mean little to a user, who gets the app's own
// line on what it found: only --verbose or QT_LOGGING_RULES shows them. argc must outlive it.
std::unique_ptr<QCoreApplication> startQt(const CommandLine& options, int& argc, char** argv);

}  // namespace kiro
