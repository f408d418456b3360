#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "script/json.h"
#include "platform/run_loop.h"

namespace kiro {

// Writes script events, one JSON object a line: "t" (milliseconds on the run loop's clock),
// "event", then the event's own fields.
class EventStream {
 public:
  // out: where the lines go; clock: the run loop whose time stamps them. Both must outlive it.
  EventStream(std::ostream& out, const RunLoop& clock) : out_(out), clock_(clock) {}

  // event: the event's name; fields: its members, in order.
  void send(const std::string& event, Json::Object fields = {});
  // The same, with the fields written by add straight into the line, each after a comma:
  // a frame's event builds no object.
  template <typename Add>
  void send(std::string_view event, Add add) {
    begin(event);
    add(line_);
    end();
  }

 private:
  void begin(std::string_view event);
  void end();

  std::ostream& out_;
  const RunLoop& clock_;
  std::string line_;  // kept, so a frame's line needs no new buffer
};

}  // namespace kiro
