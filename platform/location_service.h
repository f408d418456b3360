#pragma once

#include <functional>

#include "base/result.h"
#include "platform/run_loop.h"

namespace kiro {

// Where the system says this machine is: degrees north and east.
struct Position {
  double latitude = 0;
  double longitude = 0;
};

// The system's location service, asked one question at a time.
class LocationService {
 public:
  using Answer = std::function<void(Result<Position>)>;

  virtual ~LocationService() = default;
  // Asks once for one position. answer is called once, with it or why not, at the latest
  // when timeout has passed in real time; it may be called before locate returns.
  virtual void locate(Millis timeout, Answer answer) = 0;
};

}  // namespace kiro
