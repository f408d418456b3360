#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app_delegate.h"
#include "link/link_manager.h"
#include "ui/button.h"
#include "tests/app/store_files.h"
#include "tests/support/simulated_world.h"

namespace kiro::app_test {

using namespace std::chrono_literals;

// The whole app on the virtual clock: delegate, screens, link manager, simulated radio,
// and a documents folder of its own.
class AppShellFixture : public ::testing::Test, protected SimulatedWorld {
 protected:
  void SetUp() override { singleton::resetShared(); }
  void TearDown() override {
    delegate.reset();
    singleton::resetShared();
  }

  // Launches and shows the window, as the platform does right after launch.
  void launch() {
    ASSERT_TRUE(delegate->didFinishLaunchingWithOptions());
    delegate->window()->display();
  }

  NavigationController& navigation() { return *delegate->window()->rootViewController(); }

  std::vector<std::string> stack() {
    std::vector<std::string> names;
    for (const auto& screen : navigation().viewControllers()) names.push_back(screen->name());
    return names;
  }

  // The bar button of the screen in front, let go inside.
  void tapBar(bool left) {
    auto& item = navigation().topViewController()->navigationItem();
    const auto& bar = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    ASSERT_TRUE(bar);
    std::dynamic_pointer_cast<Button>(bar->customView)->sendActions(ControlEvent::touchUpInside);
  }

  std::filesystem::path documents = store_test::freshFolder() / "Documents";
  Application application;
  std::unique_ptr<AppDelegate> delegate =
      std::make_unique<AppDelegate>(application, documents, store_test::kShippedModel, log, notices);
};

}  // namespace kiro::app_test
