#include "platform/qt/window/accessibility/phone_window_accessibility.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>

#include "platform/sim/simulated_web_remote.h"
#include "tests/platform/qt/window/phone_window_fixture.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// What assistive technology was told: the element's name and the event.
std::vector<std::pair<std::string, QAccessible::Event>> told;

void tell(QAccessibleEvent* event) {
  // A state change that does not say which state changed reaches no screen reader.
  const auto* change = dynamic_cast<QAccessibleStateChangeEvent*>(event);
  if (change && !change->changedStates().checked) return;
  told.emplace_back(event->accessibleInterface()->text(QAccessible::Name).toStdString(), event->type());
}

// The window's elements read through Qt's accessibility API.
class PhoneWindowAccessibilityTest : public PhoneWindowFixture {
 protected:
  void SetUp() override {
    PhoneWindowFixture::SetUp();
    told.clear();
    PhoneWindowAccessibility::announcer = &tell;
  }
  void TearDown() override {
    PhoneWindowAccessibility::announcer = &QAccessible::updateAccessibility;
    PhoneWindowFixture::TearDown();
  }

  QAccessibleInterface* root() { return QAccessible::queryAccessibleInterface(window.get()); }
  // parent's child named name, or null.
  static QAccessibleInterface* named(QAccessibleInterface* parent, const QString& name) {
    for (int i = 0; i < parent->childCount(); ++i)
      if (parent->child(i)->text(QAccessible::Name) == name) return parent->child(i);
    return nullptr;
  }
  static bool wasTold(const std::string& name, QAccessible::Event event) {
    return std::find(told.begin(), told.end(), std::pair(name, event)) != told.end();
  }
  static void press(QAccessibleInterface* element) {
    element->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  }
};

TEST_F(PhoneWindowAccessibilityTest, TheRemoteScreenReadsAsButtonsLampsAndLabelAndFLatchesFocus) {
  for (const char* button : {"Help", "Search for receivers", "Focus", "Shutter release"}) {
    ASSERT_NE(named(root(), button), nullptr) << button;
    EXPECT_EQ(named(root(), button)->role(), QAccessible::PushButton) << button;
  }
  EXPECT_EQ(named(root(), "KIRO- Remoter")->role(), QAccessible::StaticText);
  EXPECT_EQ(named(root(), "disconnected")->role(), QAccessible::StaticText);
  auto* green = named(root(), "Green lamp");
  EXPECT_EQ(green->role(), QAccessible::Graphic);
  EXPECT_TRUE(green->state().checkable);
  EXPECT_FALSE(green->state().checked);

  const auto& remote = *delegate.remote();
  const Rect frame = remote.writeButton()->frame();
  auto* focus = named(root(), "Focus");
  EXPECT_EQ(focus->rect(),
            QRect(window->mapToGlobal(QPoint(static_cast<int>(frame.minX()), static_cast<int>(frame.minY()))),
                  QSize(static_cast<int>(frame.size.width), static_cast<int>(frame.size.height))));
  EXPECT_EQ(root()->childAt(focus->rect().center().x(), focus->rect().center().y()), focus);
  EXPECT_EQ(focus->parent(), root());
  press(focus);
  EXPECT_TRUE(remote.byteArray()[CommandFrame::focus]);

  // As with a touch, a touch-down that takes the button away makes the touch one that left it.
  auto help = std::dynamic_pointer_cast<Button>(delegate.remote()->navigationItem().leftBarButtonItem()->customView);
  help->addTarget(ControlEvent::touchDown, [button = help.get()] { button->setHidden(true); });
  press(named(root(), "Help"));
  loop.advance(100ms);
  EXPECT_EQ(delegate.window()->rootViewController()->topViewController()->name(), "remote");
}

TEST_F(PhoneWindowAccessibilityTest, OnceAskedForTheWindowTellsOfLampsAndTheStatusOnceATurn) {
  auto& remote = *delegate.remote();
  remote.lamps().green();
  QCoreApplication::processEvents();
  EXPECT_TRUE(told.empty());  // nobody has asked for the elements yet

  EXPECT_FALSE(named(root(), "Red lamp")->state().checked);
  remote.lamps().red();
  EXPECT_TRUE(named(root(), "Red lamp")->state().checked);  // asked meanwhile: as it is
  remote.testLabel()->setText(Text::verbatim("connecting"));
  remote.testLabel()->setText(Text::verbatim("connected"));
  EXPECT_TRUE(told.empty());
  QCoreApplication::processEvents();
  // The label's passing state was never told.
  const decltype(told) expected{{"Red lamp", QAccessible::StateChanged}, {"connected", QAccessible::NameChanged}};
  EXPECT_EQ(told, expected);
}

TEST_F(PhoneWindowAccessibilityTest, TheDeviceListHasARowPerReceiverAndTheAlertAloneAnswers) {
  radio.addReceiver(std::string("Kiro-7"));
  loop.advance(1100ms);
  press(named(root(), "Search for receivers"));
  loop.advance(100ms);
  QCoreApplication::processEvents();
  EXPECT_TRUE(wasTold("", QAccessible::ObjectReorder));  // the window, untitled here, has new children
  auto* list = named(root(), "Receivers");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->childCount(), 1);
  EXPECT_EQ(list->child(1), nullptr);
  EXPECT_EQ(list->child(0)->parent(), list);
  EXPECT_EQ(list->indexOfChild(list->child(0)), 0);
  EXPECT_EQ(list->child(0)->role(), QAccessible::ListItem);
  EXPECT_EQ(list->child(0)->text(QAccessible::Name), "Kiro-7, disconnected");
  press(list->child(0));
  EXPECT_TRUE(defaults.dictionary("iphone").has_value());

  alerts.show({Text("Can not connect"), Text("A device has connected"), Text("YES")});
  ASSERT_EQ(root()->childCount(), 1);
  auto* alert = root()->child(0);
  EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
  EXPECT_TRUE(alert->state().modal);
  QCoreApplication::processEvents();
  EXPECT_TRUE(wasTold("Can not connect", QAccessible::ObjectShow));
  EXPECT_EQ(alert->text(QAccessible::Name), "Can not connect");
  EXPECT_EQ(alert->text(QAccessible::Description), "A device has connected");
  press(named(alert, "YES"));
  EXPECT_EQ(alerts.visible(), nullptr);
}

// The pairing URL holds the secret: drawn, never said.
TEST_F(PhoneWindowAccessibilityTest, TheWebRemoteScreenNamesItsCodeAndAddressWithoutTheSecret) {
  SimulatedWebRemote web;
  delegate.setWebRemote(&web);
  web.setServing(true);
  loop.advance(1100ms);
  press(named(root(), "Help"));
  loop.advance(1000ms);
  press(named(root(), "Web remote"));
  loop.advance(1000ms);
  QCoreApplication::processEvents();
  ASSERT_EQ(delegate.window()->rootViewController()->topViewController()->name(), "web");
  ASSERT_NE(named(root(), "Pairing code"), nullptr);
  EXPECT_EQ(named(root(), "Pairing code")->role(), QAccessible::Graphic);
  ASSERT_NE(named(root(), "Pairing address, shown as text"), nullptr);
  for (int i = 0; i < root()->childCount(); ++i)
    for (const auto text : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
      EXPECT_FALSE(root()->child(i)->text(text).contains("sim-secret")) << root()->child(i)->text(text).toStdString();
  for (const auto& [name, event] : told) EXPECT_EQ(name.find("sim-secret"), std::string::npos) << name;
  delegate.setWebRemote(nullptr);
}

}  // namespace
}  // namespace kiro
