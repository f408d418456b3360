#pragma once

#include <QObject>
#include <optional>

namespace kiro {

// Keeps the display awake while the app is in front and asks for it: the freedesktop
// screen-saver inhibit over the session bus, where a screen saver runs; nothing otherwise.
class ScreenSaverInhibitor final : public QObject {
  Q_OBJECT

 public:
  ScreenSaverInhibitor();
  ~ScreenSaverInhibitor() override;

  // wanted: the app's idle-timer-disabled flag.
  void setWanted(bool wanted);

 private:
  void apply();

  bool wanted_ = false;
  bool active_ = false;
  std::optional<uint> cookie_;
};

}  // namespace kiro
