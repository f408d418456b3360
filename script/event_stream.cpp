#include "script/event_stream.h"

namespace kiro {

void EventStream::send(const std::string& event, Json::Object fields) {
  // Into a kept buffer, with no object made around the fields.
  begin(event);
  if (!fields.empty()) line_ += ',';
  Json::dumpMembers(fields, line_);
  end();
}

void EventStream::begin(std::string_view event) {
  line_ = "{\"t\":";
  Json(static_cast<std::int64_t>(clock_.now().count())).dumpTo(line_);
  line_ += ",\"event\":";
  Json::dumpString(event, line_);
}

void EventStream::end() {
  line_ += "}\n";
  // Flushed at once: a reader follows the run as it happens.
  out_.write(line_.data(), static_cast<std::streamsize>(line_.size())).flush();
}

}  // namespace kiro
