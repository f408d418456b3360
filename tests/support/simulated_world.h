#pragma once

#include "platform/log.h"
#include "platform/platform.h"
#include "platform/sim/simulated_radio.h"
#include "platform/sim/virtual_run_loop.h"
#include "platform/sim/virtual_wall_clock.h"
#include "ui/alert.h"
#include "ui/asset_catalog.h"
#include "ui/main_screen.h"
#include "platform/user_defaults.h"

namespace kiro {

// A test's platform, installed for its lifetime: the virtual clock and a wall clock that
// moves with it, in-memory defaults, a log and notices that keep their lines,
// simulated receivers, a 320 x 568 point display at scale 2, the shipped pictures and an alert queue.
struct SimulatedWorld {
  VirtualRunLoop loop;
  MemoryUserDefaults defaults;
  CapturingLog log;
  RecordingNotices notices;
  SimulatedRadio radio{loop};
  Platform installed{loop, defaults, log, notices, radio.centralFactory()};
  PlatformScope scope{installed};
  VirtualWallClock wall{loop};
  WallClockScope wallScope{wall};
  MainScreen screen{{320, 568}, 2};
  MainScreenScope screenScope{screen};
  AssetCatalog assets{KIRO_ASSET_DIR};
  AssetCatalogScope assetScope{assets};
  AlertQueue alerts;
  AlertQueueScope alertScope{alerts};
};

}  // namespace kiro
