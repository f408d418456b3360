#pragma once

#include <map>
#include <string>

#include "base/result.h"
#include "plan/shooting_plan.h"
#include "platform/user_defaults.h"

namespace kiro {

// Plans kept under names in the user defaults, beside the timer screen's last values.
// They are kept as one "NAME = PLAN WORDS" line each, so the settings file shows them as
// they read. Until the user changes them, three built-in ones are there.
namespace presets {

// Each kept plan's words (as planWords writes them), by name.
std::map<std::string, std::string> all(const UserDefaults& defaults);
// The plan kept as name, or why there is none.
Result<ShootingPlan> plan(const UserDefaults& defaults, const std::string& name);
// Keeps plan as name, replacing one of that name; or says why it cannot (a plan that
// cannot run is not kept).
Result<> save(UserDefaults& defaults, const std::string& name, const ShootingPlan& plan);
Result<> rename(UserDefaults& defaults, const std::string& name, const std::string& newName);
Result<> remove(UserDefaults& defaults, const std::string& name);
// Puts back words kept as name, as a remove took them away; one of that name kept meanwhile stays.
Result<> putBack(UserDefaults& defaults, const std::string& name, const std::string& words);
// Puts back the built-in presets that are gone, leaving the others as they are.
void restoreBuiltIns(UserDefaults& defaults);
// A name that says what plan does, as the built-in ones do.
std::string nameFor(const ShootingPlan& plan);

}  // namespace presets

}  // namespace kiro
