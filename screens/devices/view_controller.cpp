#include "screens/devices/view_controller.h"

#include <cstdio>

#include "link/link_manager.h"
#include "platform/platform.h"
#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/main_screen.h"

namespace kiro {

namespace {

constexpr double kHeaderTop = 80;
constexpr double kTableTop = 116;
constexpr double kRowHeight = 52;
const Font kHeaderFont{"", 16};
const Font kTitleFont{"Arial-BoldMT", 18};
constexpr Color kTitleColor{68 / 255.0, 66 / 255.0, 68 / 255.0, 1};

std::shared_ptr<Label> headerLabel(const Text& text, TextAlignment alignment) {
  auto label = std::make_shared<Label>();
  label->setText(text);
  label->setTextAlignment(alignment);
  label->setTextColor(Color::white());
  label->setFont(kHeaderFont);
  return label;
}

}  // namespace

void ViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  view()->setBackgroundColor(std::nullopt);
  auto background = std::make_shared<ImageView>("bj.png");
  background->setFrame(makeRect(0, 0, screen.width, screen.height));
  view()->addSubview(background);
  addHeader(screen);
  addTable(screen);

  char size[96];
  std::snprintf(size, sizeof size, "设备的宽为:%f,高为:%f", screen.width, screen.height);
  platform().log.line(size);

  updateListener_ = singleton::defaultManager().onUpdate(weakly<ViewController>(&ViewController::change));
  addBarButtons();
  platform().defaults.set("jumpFlag", "0");
  // Posts update at once, so the table is filled before the screen shows.
  singleton::defaultManager().radioArr();
}

void ViewController::addHeader(const Size& screen) {
  deviceHeader_ = headerLabel(Text("    Device"), TextAlignment::left);
  statusHeader_ = headerLabel(Text("Status"), TextAlignment::right);
  placeHeaders(screen);
  view()->addSubview(deviceHeader_);
  view()->addSubview(statusHeader_);
}

void ViewController::placeHeaders(const Size& size) {
  deviceHeader_->setFrame(makeRect(15, kHeaderTop, 150, 20));
  statusHeader_->setFrame(makeRect(size.width - 15 - 110, kHeaderTop, 100, 20));
}

void ViewController::viewWillTransitionToSize(const Size& size) {
  // The background and the list span the window; the headers stay over the rows' ends.
  Screen::viewWillTransitionToSize(size);
  placeHeaders(size);
}

void ViewController::addTable(const Size& screen) {
  tabel_->setName("tabel");
  tabel_->setAccessibilityLabel(Text("Receivers"));
  // 64 for the bars above and 52 for the headers: the table ends at the screen's bottom.
  tabel_->setFrame(makeRect(0, kTableTop, screen.width, screen.height - 64 - 52));
  tabel_->setBackgroundColor(std::nullopt);
  tabel_->setRowHeight(kRowHeight);
  tabel_->setSeparatorStyle(TableViewCellSeparatorStyle::none);
  const auto self = std::static_pointer_cast<ViewController>(shared_from_this());
  tabel_->setDataSource(self);
  tabel_->setDelegate(self);
  view()->addSubview(tabel_);
}

void ViewController::addBarButtons() {
  auto refresh = std::make_shared<Button>();
  refresh->setAccessibilityLabel(Text("Refresh"));
  refresh->setFrame(makeRect(30, 0, 22, 19));
  refresh->setImage("刷新.png", ControlState::normal);
  refresh->setImage("刷新点击.png", ControlState::highlighted);
  refresh->addTarget(ControlEvent::touchUpInside, weakly<ViewController>(&ViewController::jumpV));
  navigationItem().setRightBarButtonItem(BarButtonItem{refresh});

  // The bar is shared by the whole stack, so this look stays for every title after.
  navigationItem().setTitleTextAttributes({kTitleFont, kTitleColor});

  auto back = std::make_shared<Button>();
  back->setAccessibilityLabel(Text("Back"));
  back->setFrame(makeRect(30, 0, 12, 20));
  back->setImage("后退.png", ControlState::normal);
  back->setKeyEquivalents({"Back"});
  back->addTarget(ControlEvent::touchUpInside, weakly<ViewController>(&ViewController::jump3));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});
  navigationItem().setTitle(Text("Bluetooth Device"));
}

void ViewController::jumpV() { singleton::defaultManager().changeList(); }

void ViewController::jump3() {
  if (auto navigation = navigation_.lock()) navigation->jump3(*this);
}

void ViewController::changeArr() { singleton::defaultManager().radioArr(); }

}  // namespace kiro
