#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/app_delegate.h"
#include "link/link_manager.h"
#include "platform/qt/window/phone_window.h"
#include "ui/main_screen.h"
#include "ui/ui_events.h"
#include "tests/support/simulated_world.h"

namespace kiro {

// The launched app drawn by the window under the offscreen platform, which follows the
// model as the app makes it follow.
class PhoneWindowFixture : public ::testing::Test, protected SimulatedWorld {
 protected:
  void SetUp() override {
    singleton::resetShared();
    ASSERT_TRUE(delegate.didFinishLaunchingWithOptions());
    delegate.window()->display();
    window = std::make_unique<PhoneWindow>(delegate.window()->rootViewController(), alerts, QSize(320, 568));
    ui = std::make_unique<UiEvents>(delegate.window()->rootViewController(), alerts);
    drawing =
        ui->subscribe({[this](View& view, ViewProperty property) { window->modelChanged(view, property); },
                       [this](NavigationChange change, bool animated) { window->navigationChanged(change, animated); },
                       [this] { window->modelChanged(); }});
  }
  void TearDown() override {
    drawing = {};
    window.reset();
    singleton::resetShared();
  }

  MainScreen scaleOne{{320, 568}, 1};
  MainScreenScope display{scaleOne};
  Application application;
  AppDelegate delegate{application, "/nonexistent", "/nonexistent/Tavrel.momd", log, notices};
  std::unique_ptr<PhoneWindow> window;
  std::unique_ptr<UiEvents> ui;
  UiSubscription drawing;
};

}  // namespace kiro
