#include "link/link_manager.h"
#include "platform/platform.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "screens/devices/view_controller.h"
#include "screens/peripheral_words.h"

namespace kiro {

namespace {

using namespace std::chrono_literals;

// A cell's background is 54 high in a row of 52: it reaches under the next row's top.
constexpr double kCellBackgroundHeight = 54;

}  // namespace

void ViewController::change(const SharedPeripheralList& list) {
  platform().log.line("主界面列表接收到通知方法");
  arr_ = list;
  // A scan reports receivers in bursts, each with its update: the table is rebuilt once,
  // after the loop has delivered the whole burst.
  if (reloadPending_) return;
  reloadPending_ = true;
  platform().runLoop.performAfterDelay(0ms, weakly<ViewController>([](ViewController& screen) {
    screen.reloadPending_ = false;
    screen.tabel_->reloadData();
  }));
}

std::int64_t ViewController::numberOfRowsInSection(TableView&, std::int64_t) {
  return arr_ ? static_cast<std::int64_t>(arr_->size()) : 0;
}

std::optional<ViewController::Listed> ViewController::listed(std::int64_t row) const {
  if (!arr_ || row < 0 || static_cast<std::uint64_t>(row) >= arr_->size()) return std::nullopt;
  const auto& peripheral = (*arr_)[static_cast<std::size_t>(row)];
  // The name list is the link manager's and may be shorter than a list that arrived
  // before its last scan start: such rows have no receiver to show or pick.
  const auto& names = singleton::defaultManager().nameArray();
  if (!peripheral || !names || static_cast<std::uint64_t>(row) >= names->size()) return std::nullopt;
  return Listed{peripheral, (*names)[static_cast<std::size_t>(row)]};
}

std::shared_ptr<TableViewCell> ViewController::cellForRowAtIndexPath(TableView&, const IndexPath& indexPath) {
  // A new cell for every request: a reused one would still carry an earlier row's views.
  auto cell = std::make_shared<TableViewCell>(format("cell%ld%ld", indexPath.row, indexPath.section));
  cell->setSelectionStyle(TableViewCellSelectionStyle::none);
  if (const auto receiver = listed(indexPath.row)) fillCell(*cell, *receiver);
  cell->setBackgroundColor(std::nullopt);
  return cell;
}

void ViewController::fillCell(TableViewCell& cell, const Listed& receiver) const {
  const double width = tabel_->frame().size.width;
  const auto& content = cell.contentView();
  cell.setAccessibilityLabel(rowWords(receiver.name, receiver.peripheral->state()));

  auto background = std::make_shared<ImageView>("img_beijing.png");
  background->setFrame(makeRect(0, 0, width, kCellBackgroundHeight));
  content->addSubview(background);

  auto name = std::make_shared<Label>();
  name->setFrame(makeRect(15, 18, (width - 25) * 0.5, 20));
  name->setTextAlignment(TextAlignment::left);
  name->setTextColor(Color::white());
  name->setText(Text::verbatim(receiver.name));
  content->addSubview(name);

  auto status = std::make_shared<ImageView>();
  status->setFrame(makeRect(width - 45, 10, 30, 30));
  switch (receiver.peripheral->state()) {
    case PeripheralState::connecting:
      status->setAnimationImages({"连接中1", "连接中2", "连接中3"});
      status->setAnimationDuration(1500ms);
      status->setAnimationRepeatCount(0);
      status->startAnimating();
      break;
    case PeripheralState::connected:
      status->setImage("连接.png");
      break;
    default:
      status->setImage("未连接.png");
      break;
  }
  content->addSubview(status);
}

}  // namespace kiro
