#include "script/state_event.h"

#include <algorithm>

#include "link/link_manager.h"
#include "platform/platform.h"
#include "platform/wall_clock.h"

namespace kiro {

namespace {

Json deviceRows() {
  Json::Array rows;
  // The registry comes with the link manager; none before the remote screen loads.
  if (!singleton::sharedExists()) return rows;
  const auto& manager = singleton::defaultManager();
  const auto& names = manager.nameArray();
  const auto& peripherals = *manager.arr();
  for (std::size_t i = 0; i < peripherals.size(); ++i) {
    if (!peripherals[i]) continue;
    const Json name = names && i < names->size() ? Json((*names)[i]) : Json();
    rows.push_back(Json::Object{{"name", name},
                                {"id", peripherals[i]->identifier().UUIDString()},
                                {"status", statusName(peripherals[i]->state())}});
  }
  return rows;
}

Json rememberedReceiver() {
  const auto record = platform().defaults.dictionary("iphone");
  if (!record) return nullptr;
  const auto name = record->find("name");
  const auto uuid = record->find("uuid");
  if (name == record->end() || uuid == record->end()) return nullptr;
  return Json::Object{{"name", name->second}, {"uuid", uuid->second}};
}

Json frameArray(const Rect& frame) {
  return Json::Array{frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
}

void collectFrames(const View& view, Json::Object& frames) {
  const auto sameName = [&](const Json::Member& member) { return member.first == view.name(); };
  if (!view.name().empty() && std::none_of(frames.begin(), frames.end(), sameName))
    frames.emplace_back(view.name(), frameArray(view.frame()));
  for (const auto& subview : view.subviews()) collectFrames(*subview, frames);
}

}  // namespace

Json stackNames(const NavigationController& navigation) {
  Json::Array names;
  for (const auto& screen : navigation.viewControllers()) names.push_back(screen->name());
  return names;
}

Json::Object timerFields(const ShootingStatus& status) {
  const auto optional = [](const auto& value) { return value ? Json(static_cast<std::int64_t>(*value)) : Json(); };
  const Json next = status.nextAt
                        ? Json(std::max<std::int64_t>(0, (*status.nextAt - platform().runLoop.now()).count()))
                        : Json();
  Json::Object fields{{"mode", modeName(status.mode)}, {"state", stateName(status.state)}, {"shot", status.shot},
                      {"of", optional(status.of)},     {"missed", status.missed},          {"next", next}};
  // Only plans that ramp, bracket or start at a time of day have these, so the others read as before.
  if (status.bulb) fields.emplace_back("bulb", static_cast<std::int64_t>(status.bulb->count()));
  if (!status.why.empty()) fields.emplace_back("why", status.why.english());
  if (status.cut > 0) fields.emplace_back("short", status.cut);
  if (status.timeOfDay) {
    const Millis now = platform().runLoop.now();
    fields.emplace_back("startsAt", localTimeOfDay(wallClock(), status.firstAt, now));
    fields.emplace_back("endsAt", status.endsAt ? Json(localTimeOfDay(wallClock(), *status.endsAt, now)) : Json());
  }
  return fields;
}

Json::Object stateFields(const AppDelegate& delegate) {
  const auto& remote = *delegate.remote();
  const std::int64_t flag = singleton::sharedExists() ? singleton::defaultManager().connectionFlag() : 0;
  return {
      {"stack", stackNames(*delegate.window()->rootViewController())},
      {"label", remote.testLabel()->text()},
      {"lamps", Json::Object{{"green", lampIsLit(*remote.imageLamp01())},
                             {"blue", lampIsLit(*remote.imageLamp02())},
                             {"red", lampIsLit(*remote.imageLamp03())}}},
      {"focus", remote.writeButton()->isSelected()},
      {"frame", remote.byteArray().text()},
      {"connectionFlag", flag},
      {"devices", deviceRows()},
      {"remembered", rememberedReceiver()},
      {"timer", timerFields(remote.timedShooting())},
  };
}

Json::Object layoutFields(const NavigationController& navigation) {
  const auto& front = navigation.topViewController();
  Json::Object frames;
  collectFrames(*front->view(), frames);
  const Size size = front->view()->frame().size;
  return {{"screen", front->name()}, {"W", size.width}, {"H", size.height}, {"frames", std::move(frames)}};
}

}  // namespace kiro
