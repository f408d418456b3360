#include "screens/remote/camera_view_controller.h"

#include <cstdio>

#include "link/link_manager.h"
#include "platform/platform.h"
#include "ui/main_screen.h"
#include "screens/palette.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

constexpr Color kTitleGrey{0.26666668, 0.25882354, 0.26666668, 1};
const Font kBoldFont{"Arial-BoldMT", 18};

void logNumber(const char* label, double value) {
  char line[64];
  std::snprintf(line, sizeof line, "%s:%f", label, value);
  platform().log.line(line);
}

std::shared_ptr<Button> barButton(const Rect& frame, const char* normal, const char* highlighted, const Text& label) {
  auto button = std::make_shared<Button>();
  button->setAccessibilityLabel(label);
  button->setFrame(frame);
  button->setImage(normal, ControlState::normal);
  button->setImage(highlighted, ControlState::highlighted);
  return button;
}

}  // namespace

void cameraViewController::viewDidLoad() {
  Screen::viewDidLoad();
  view()->setBackgroundColor(Color::white());
  // No string table ships with the app, so the lookup of "key" gives the key back.
  platform().log.line("这里是key");
  addUI();
  auto& manager = singleton::defaultManager();
  manager.setConnectionFlag(1);

  lightListener_ = manager.onLight(weakly<cameraViewController>(&cameraViewController::change2));
  updateListener_ = manager.onUpdate(weakly<cameraViewController>(&cameraViewController::change));

  jumpFlag_ = 1;
  platform().runLoop.performAfterDelay(1000ms, weakly<cameraViewController>([](cameraViewController& screen) { screen.getData(); }));
  // The pump holds the screen, so the screen lives as long as the pump runs: all along.
  // The pump lives in this screen and stops with it, so this outlives every tick.
  pump_.start(
      [this](const std::string& text) {
        auto& manager = singleton::defaultManager();
        manager.writeDataType("FFB0", "FFB2", text);
        if (receiverConnected() && manager.commands().accepted()) shotRecorder_.frameWritten(shutterHeld());
      },
      shared_from_this());
}

void cameraViewController::addUI() {
  const RemoteLayout layout = remoteLayout(view()->frame().size);
  const auto& root = view();
  root->addSubview(background_);

  navigationItem().setTitle(Text::verbatim("KIRO- Remoter"));
  navigationItem().setBarTintColor(kYellow);
  navigationItem().setTitleTextAttributes({kBoldFont, kTitleGrey});
  addBarButtons(layout.barButton);
  logScreenSize();

  for (const auto& lamp : {imageLamp01(), imageLamp02(), imageLamp03()}) root->addSubview(lamp);
  addButtons();

  const auto& label = testLabel();
  label->setName("testLabel");
  label->setTextColor(kYellow);
  label->setFont(kBoldFont);
  label->setText(Text("disconnected"));
  label->setTextAlignment(TextAlignment::center);
  root->addSubview(label);
  const auto& commands = commandsLine();
  commands->setName("commandsLine");
  commands->setTextColor(kYellow);
  commands->setFont({"ArialMT", 15});
  commands->setTextAlignment(TextAlignment::center);
  root->addSubview(commands);
  const auto& receiver = receiverLine();
  receiver->setTextColor(Color::white());
  receiver->setFont({"ArialMT", 15});
  receiver->setTextAlignment(TextAlignment::center);
  reconnection_.showRemembered();
  root->addSubview(receiver);
  addTimerButton();
  placeViews(layout);
}

void cameraViewController::viewWillTransitionToSize(const Size& size) { placeViews(remoteLayout(size)); }

void cameraViewController::placeViews(const RemoteLayout& layout) {
  background_->setFrame(layout.background);
  const std::shared_ptr<ImageView> lamps[] = {imageLamp01(), imageLamp02(), imageLamp03()};
  for (std::size_t i = 0; i < 3; ++i) lamps[i]->setFrame(layout.lamps[i]);
  writeButton_->setFrame(layout.focusButton);
  writeButton2_->setFrame(layout.releaseButton);
  testLabel()->setFrame(layout.statusLabel);
  commandsLine()->setFrame(layout.commandsLine);
  receiverLine()->setFrame(layout.receiverLine);
  timerButton_->setFrame(layout.timerButton);
  timerTitle_->setFrame(makeRect(0, 0, layout.timerButton.size.width, layout.timerButton.size.height));
  timerLine_->setFrame(layout.timerLine);
  timerEndLine_->setFrame(layout.timerEndLine);
  continueButton_->setFrame(layout.timerEndLine);
  continueTitle_->setFrame(makeRect(0, 0, layout.timerEndLine.size.width, layout.timerEndLine.size.height));
}

void cameraViewController::addButtons() {
  const auto& root = view();
  writeButton_->setName("writeButton");
  writeButton_->setAccessibilityLabel(Text("Focus"));
  writeButton_->setImage("对焦.png", ControlState::normal);
  writeButton_->setImage("对焦点击.png", ControlState::highlighted);
  writeButton_->addTarget(ControlEvent::touchDown,
                          weakly<cameraViewController>([](cameraViewController& screen) {
                            if (!screen.seriesRefusesHand()) screen.writeData2(*screen.writeButton_);
                          }));
  root->addSubview(writeButton_);

  writeButton2_->setName("writeButton2");
  writeButton2_->setAccessibilityLabel(Text("Shutter release"));
  writeButton2_->setImage("拍照.png", ControlState::normal);
  writeButton2_->addTarget(ControlEvent::touchDown,
                           weakly<cameraViewController>([](cameraViewController& screen) {
                             if (!screen.seriesRefusesHand()) screen.pressShutter(ShutterOwner::hand);
                           }));
  root->addSubview(writeButton2_);

  writeButton_->setAdjustsImageWhenHighlighted(false);
  writeButton2_->setAdjustsImageWhenHighlighted(false);
  // A phone's own keys too: the volume keys and the camera key as R, as camera apps do.
  writeButton_->setKeyEquivalents({"F", "CameraFocus"});
  writeButton2_->setKeyEquivalents({"R", "Space", "VolumeUp", "VolumeDown", "Camera"});
  writeButton2_->addTarget(ControlEvent::touchUpInside,
                           weakly<cameraViewController>([](cameraViewController& screen) {
                             // A hand lets go only what it holds, or nothing held, and never a series'.
                             if (screen.timedShootingActive()) return;
                             const auto owner = screen.shutterOwner();
                             if (owner == ShutterOwner::none || owner == ShutterOwner::hand) screen.returnData();
                           }));
}

void cameraViewController::addBarButtons(const Rect& frame) {
  auto devices = barButton(frame, "搜索蓝牙.png", "搜索蓝牙点击.png", Text("Search for receivers"));
  devices->addTarget(ControlEvent::touchUpInside, weakly<cameraViewController>([](cameraViewController& screen) {
                       if (auto navigation = screen.navigation_.lock()) navigation->jumpAbout(screen);
                     }));
  navigationItem().setRightBarButtonItem(BarButtonItem{devices});

  auto help = barButton(frame, "问号.png", "问号点击.png", Text("Help"));
  help->addTarget(ControlEvent::touchUpInside, weakly<cameraViewController>([](cameraViewController& screen) {
                    if (auto navigation = screen.navigation_.lock()) navigation->jump2(screen);
                  }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{help});
}

void cameraViewController::logScreenSize() {
  const Size size = mainScreen().bounds;
  logNumber("1", size.height / 2 - 110);
  logNumber("1.5", size.height / 2 + 110);
  logNumber("2", size.height / 3);
  logNumber("3", size.height / 258);
  logNumber("3", size.width / 2);
}

}  // namespace kiro
