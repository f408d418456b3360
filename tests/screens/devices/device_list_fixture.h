#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/alert.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/main_screen.h"
#include "screens/devices/view_controller.h"
#include "tests/link/link_fixture.h"

namespace kiro::devices_test {

using namespace std::chrono_literals;
using link_test::receiverIdentifier;

// What one row shows: its name and its status picture.
struct Row {
  std::string name;
  std::optional<std::string> still;  // the status image while it does not animate
  std::vector<std::string> frames;   // the status frames while it animates
  friend bool operator==(const Row&, const Row&) = default;
};

inline Row disconnectedRow(std::string name) { return {std::move(name), "未连接.png", {}}; }
inline Row connectedRow(std::string name) { return {std::move(name), "连接.png", {}}; }
inline Row connectingRow(std::string name) { return {std::move(name), std::nullopt, {"连接中1", "连接中2", "连接中3"}}; }

// The device list on the real link manager, the simulated radio and the virtual clock.
class DeviceListFixture : public link_test::LinkManagerFixture {
 protected:
  // A new device list with its view loaded, as navigation opens it.
  std::shared_ptr<ViewController> open() {
    auto screen = std::make_shared<ViewController>();
    screen->loadViewIfNeeded();
    return screen;
  }

  // Connects registry entry index and lets discovery finish.
  void connect(std::size_t index) {
    pick(std::to_string(index));
    loop.advance(2s);
  }

  // What each row of the screen's table shows; a blank row reads as an empty Row.
  static std::vector<Row> rows(ViewController& screen) {
    std::vector<Row> shown;
    auto& table = *screen.tabel();
    for (std::int64_t row = 0; row < table.numberOfRows(); ++row) shown.push_back(read(table.cellForRow(row)));
    return shown;
  }

  static Row read(const std::shared_ptr<TableViewCell>& cell) {
    const auto& parts = cell ? cell->contentView()->subviews() : std::vector<std::shared_ptr<View>>{};
    const auto name = parts.size() == 3 ? std::dynamic_pointer_cast<Label>(parts[1]) : nullptr;
    const auto status = parts.size() == 3 ? std::dynamic_pointer_cast<ImageView>(parts[2]) : nullptr;
    if (!name || !status) return {};
    return {name->text(), status->image(), status->isAnimating() ? status->animationImages() : std::vector<std::string>{}};
  }

  static std::vector<Rect> frames(const View& view) {
    std::vector<Rect> shown;
    for (const auto& subview : view.subviews()) shown.push_back(subview->frame());
    return shown;
  }

  std::optional<StringDictionary> remembered() const { return defaults.dictionary("iphone"); }

  MainScreen larger{{375, 667}, 2};
  MainScreenScope display{larger};
  AlertQueue alerts;
  AlertQueueScope alertScope{alerts};
  std::vector<std::string> requests;  // "indexRow" of every "connectionService"
  ObserverToken requestRecorder = center.addObserver("connectionService", [this](const Notification& n) {
    requests.push_back(n.value<std::string>("indexRow").value_or("(none)"));
  });
};

}  // namespace kiro::devices_test
