#include "script/event_stream.h"

namespace kiro {

void EventStream::send(const std::string& event, Json::Object fields) {
  Json::Object line{{"t", static_cast<std::int64_t>(clock_.now().count())}, {"event", event}};
  for (auto& field : fields) line.push_back(std::move(field));
  // Flushed at once: a reader follows the run as it happens.
  out_ << Json(std::move(line)).dump() << std::endl;
}

}  // namespace kiro
