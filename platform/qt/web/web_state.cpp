#include "platform/qt/web/web_state.h"

#include <QJsonArray>

#include <algorithm>

namespace kiro {

namespace {

QJsonObject timerObject(const ShootingStatus& status, Millis now) {
  QJsonObject timer{{"mode", modeName(status.mode)},
                    {"state", stateName(status.state)},
                    {"shot", status.shot},
                    {"missed", status.missed}};
  if (status.of) timer.insert("of", *status.of);
  if (status.nextAt) timer.insert("next", static_cast<qint64>(std::max(Millis{0}, *status.nextAt - now).count()));
  return timer;
}

}  // namespace

QJsonObject stateMessage(const RemoteState& state, Millis now, const std::map<std::string, std::string>& presets) {
  QJsonObject lamps;
  for (const auto& [name, lit] : state.lamps) lamps.insert(QString::fromStdString(name), lit);
  QJsonArray names;
  for (const auto& [name, words] : presets) names.append(QString::fromStdString(name));
  return {{"type", "state"},
          {"connection", state.connection},
          {"receiver", QString::fromStdString(state.receiver)},
          {"focus", state.focus},
          {"shutter", state.shutter},
          {"lamps", lamps},
          {"timer", timerObject(state.timer, now)},
          {"presets", names}};
}

}  // namespace kiro
