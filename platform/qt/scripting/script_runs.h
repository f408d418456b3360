#pragma once

#include "platform/location_service.h"
#include "platform/qt/launch/launched_app.h"
#include "platform/qt/process/ending.h"
#include "platform/qt/window/phone_window.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "script/command_line.h"
#include "script/session_reports.h"

namespace kiro {

// The runs of the options' script (standard input without one) against the launched app,
// each returning the exit status. radio: the simulated receivers, null on Bluetooth; window:
// the window its snapshots and sizes are of, null without one; location: what location auto
// asks. A script that cannot be read is said to the user, status 1.

// On the virtual clock: time passes only as the script waits.
int runScriptOnVirtualTime(const CommandLine& options, LaunchedApp& app, SimulatedRadio* radio, PhoneWindow* window,
                           LocationService& location, VirtualRunLoop& loop);

// On real time: lines run as they arrive, the events go out without waiting for their
// reader, and the script's end is the ending's, as every other end of the run is; serving the
// web remote, the end of standard input is none, and a signal ends the run. reports: made
// events of the session while it runs.
int runScriptLive(const CommandLine& options, LaunchedApp& app, SimulatedRadio* radio, PhoneWindow* window,
                  LocationService& location, SessionReports& reports, Ending& ending);

}  // namespace kiro
