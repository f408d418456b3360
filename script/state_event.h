#pragma once

#include "app/app_delegate.h"
#include "script/json.h"
#include "ui/image_view.h"
#include "ui/navigation_controller.h"

namespace kiro {

// The stack's screen names, bottom first.
Json stackNames(const NavigationController& navigation);

// The "timer" event's fields: mode, state, shot, of (null: until stopped), missed and next
// (milliseconds from now to the next shot, or null).
Json::Object timerFields(const ShootingStatus& status);
// The "state" event's fields: stack, label, lamps, focus, frame, connectionFlag, the
// registry's rows, the remembered receiver and the timer. delegate: launched.
Json::Object stateFields(const AppDelegate& delegate);

// The "layout" event's fields: the front screen's name, the main screen's size and the
// frame of each named view of the front screen.
Json::Object layoutFields(const NavigationController& navigation);

}  // namespace kiro
