#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "plan/shooting_plan.h"

namespace kiro {

// A plan in words, as a script's timer command and a kept preset say it:
//   self D|--at T
//   bulb B [--delay D | --at T]
//   interval I N|forever|--until T [--bulb B | --ramp B1..B2 | --key T=B[/I]...]
//            [--bracket 3|5|7|9 --ev E] [--delay D | --at T] [--nights N] [--dark N]
// Durations as parseDuration reads them, starts T as parseStartTime. Returns the plan, or why
// it cannot be read or run.
Result<ShootingPlan> parsePlanWords(const std::vector<std::string>& words);
// plan in the words parsePlanWords reads back.
std::string planWords(const ShootingPlan& plan);
// A keyframe T=B[/I], as --key takes it: at a start time T, the bulb B and perhaps the
// interval I; or why it cannot be read. And a keyframe in those words.
Result<Keyframe> parseKeyframe(const std::string& text);
std::string keyframeWords(const Keyframe& key);
// A bracket's step in stops: 1, 0.5 or 1/3; and as written back, thirds as thirds.
std::optional<double> parseStops(const std::string& text);
std::string stopsWords(double stops);

}  // namespace kiro
