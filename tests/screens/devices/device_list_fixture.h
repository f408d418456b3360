#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/alert.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/main_screen.h"
#include "screens/devices/view_controller.h"
#include "tests/link/link_fixture.h"

namespace kiro::devices_test {

using namespace std::chrono_literals;

// The device list on the real link manager, the simulated radio and the virtual clock.
class DeviceListFixture : public link_test::LinkManagerFixture {
 protected:
  // A new device list with its view loaded, as navigation opens it, and its rows shown.
  std::shared_ptr<ViewController> open() {
    auto screen = std::make_shared<ViewController>();
    screen->loadViewIfNeeded();
    loop.runDue();
    return screen;
  }

  // Connects registry entry index and lets discovery finish.
  void connect(std::size_t index) {
    manager().connectionService(index);
    loop.advance(2s);
  }

  // What each row shows: "name status", the status being the still picture or "animating";
  // a blank row reads as "".
  static std::vector<std::string> rows(ViewController& screen) {
    std::vector<std::string> shown;
    for (std::int64_t row = 0; row < screen.tabel()->numberOfRows(); ++row) {
      const auto& parts = screen.tabel()->cellForRow(row)->contentView()->subviews();
      const auto name = parts.size() == 3 ? std::dynamic_pointer_cast<Label>(parts[1]) : nullptr;
      const auto status = parts.size() == 3 ? std::dynamic_pointer_cast<ImageView>(parts[2]) : nullptr;
      if (!name || !status)
        shown.emplace_back();
      else
        shown.push_back(name->text() + " " + (status->isAnimating() ? "animating" : status->image().value_or("")));
    }
    return shown;
  }

  std::optional<StringDictionary> remembered() const { return defaults.dictionary("iphone"); }

  MainScreen larger{{375, 667}, 2};
  MainScreenScope display{larger};
  AlertQueue alerts;
  AlertQueueScope alertScope{alerts};
};

}  // namespace kiro::devices_test
