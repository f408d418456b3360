#include "screens/timer/presets_view_controller.h"

#include "platform/platform.h"
#include "ui/alert.h"
#include "ui/label.h"
#include "ui/main_screen.h"
#include "screens/palette.h"
#include "screens/timer/timer_chrome.h"
#include "screens/timer/timer_presets.h"

namespace kiro {

namespace {

const Font kFont{"ArialMT", 15};
constexpr double kTop = 130;

}  // namespace

PresetsViewController::PresetsViewController(std::function<ShootingPlan()> current,
                                             std::function<void(const ShootingPlan&)> pick, std::function<void()> back)
    : Screen("presets"), current_(std::move(current)), pick_(std::move(pick)), back_(std::move(back)) {}

void PresetsViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  addBackground(*view());
  navigationItem().setTitle("Presets");
  auto back = backButton();
  back->addTarget(ControlEvent::touchUpInside, weakly<PresetsViewController>([](PresetsViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});

  const double half = (screen.width - 44) / 2;
  auto save = textButton(makeRect(20, 80, half, 36), "Save", kFont);
  save->addTarget(ControlEvent::touchUpInside, weakly<PresetsViewController>([](PresetsViewController& s) { s.save(); }));
  deleteButton_ = textButton(makeRect(24 + half, 80, half, 36), "Delete", kFont);
  deleteButton_->addTarget(ControlEvent::touchUpInside,
                           weakly<PresetsViewController>([](PresetsViewController& s) { s.toggleDeleting(); }));
  for (const auto& button : {save, deleteButton_}) view()->addSubview(button);

  table_->setName("presets");
  table_->setAccessibilityLabel("Presets");
  table_->setFrame(makeRect(0, kTop, screen.width, screen.height - kTop - 64));
  table_->setBackgroundColor(std::nullopt);
  table_->setRowHeight(48);
  const auto self = std::static_pointer_cast<PresetsViewController>(shared_from_this());
  table_->setDataSource(self);
  table_->setDelegate(self);
  view()->addSubview(table_);
  reload();
}

void PresetsViewController::reload() {
  names_.clear();
  for (const auto& [name, words] : presets::all(platform().defaults)) names_.push_back(name);
  table_->reloadData();
}

void PresetsViewController::save() {
  const ShootingPlan plan = current_();
  if (const auto saved = presets::save(platform().defaults, presets::nameFor(plan), plan); !saved.ok())
    alertQueue().show(Alert{"Cannot save", saved.error().message, "OK"});
  reload();
}

void PresetsViewController::toggleDeleting() {
  deleting_ = !deleting_;
  deleteButton_->setBackgroundColor(deleting_ ? kYellow : kDarkGrey);
}

std::int64_t PresetsViewController::numberOfRowsInSection(TableView&, std::int64_t) {
  return static_cast<std::int64_t>(names_.size());
}

std::shared_ptr<TableViewCell> PresetsViewController::cellForRowAtIndexPath(TableView&, const IndexPath& indexPath) {
  auto cell = std::make_shared<TableViewCell>("preset");
  cell->setBackgroundColor(std::nullopt);
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(*table_, 0)) return cell;
  const std::string& name = names_[static_cast<std::size_t>(indexPath.row)];
  cell->setAccessibilityLabel(name);
  auto label = std::make_shared<Label>();
  label->setFrame(makeRect(20, 0, mainScreen().bounds.width - 40, 48));
  label->setText(name);
  label->setFont(kFont);
  label->setTextColor(Color::white());
  cell->contentView()->addSubview(label);
  return cell;
}

void PresetsViewController::didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) {
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(*table_, 0)) return;
  const std::string name = names_[static_cast<std::size_t>(indexPath.row)];
  if (deleting_) {
    // One another run removed meanwhile is gone all the same.
    static_cast<void>(presets::remove(platform().defaults, name));
    reload();
    return;
  }
  const auto plan = presets::plan(platform().defaults, name);
  if (!plan.ok()) return alertQueue().show(Alert{"Cannot use it", plan.error().message, "OK"});
  pick_(plan.value());
}

}  // namespace kiro
