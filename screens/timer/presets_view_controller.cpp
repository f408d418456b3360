#include "screens/timer/presets_view_controller.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "platform/platform.h"
#include "ui/alert.h"
#include "ui/label.h"
#include "ui/main_screen.h"
#include "plan/timer_presets.h"
#include "screens/palette.h"
#include "screens/timer/timer_chrome.h"

namespace kiro {

namespace {

const Font kFont{"ArialMT", 15};
constexpr double kTop = 156;
// How long a deleted preset can be had back.
constexpr Millis kUndoTime{6000};
// Bytes of a typed name: room for a long one in any script.
constexpr std::size_t kLongestName = 120;

}  // namespace

PresetsViewController::PresetsViewController(std::function<ShootingPlan()> current,
                                             std::function<void(const ShootingPlan&)> pick, std::function<void()> back)
    : Screen("presets"), current_(std::move(current)), pick_(std::move(pick)), back_(std::move(back)) {}

void PresetsViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const Size screen = mainScreen().bounds;
  addBackground(*view());
  navigationItem().setTitle(Text("Presets"));
  auto back = backButton();
  back->addTarget(ControlEvent::touchUpInside, weakly<PresetsViewController>([](PresetsViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});

  const double half = (screen.width - 44) / 2;
  auto save = textButton(makeRect(20, 80, half, 36), Text("Save"), kFont);
  save->addTarget(ControlEvent::touchUpInside, weakly<PresetsViewController>([](PresetsViewController& s) { s.save(); }));
  deleteButton_ = textButton(makeRect(24 + half, 80, half, 36), Text("Delete"), kFont);
  deleteButton_->addTarget(ControlEvent::touchUpInside,
                           weakly<PresetsViewController>([](PresetsViewController& s) { s.toggleDeleting(); }));
  line_->setFrame(makeRect(20, 118, screen.width - 40, 36));
  line_->setFont(kFont);
  line_->setTextColor(kYellow);
  line_->setWraps(true);
  undoButton_ = textButton(makeRect(20, screen.height - 56, half, 40), Text("Undo"), kFont);
  undoButton_->setKeyEquivalents({"U"});
  undoButton_->setHidden(true);
  undoButton_->addTarget(ControlEvent::touchUpInside, weakly<PresetsViewController>([](PresetsViewController& s) { s.undo(); }));
  auto builtIns = textButton(makeRect(24 + half, screen.height - 56, half, 40), Text("Built-in presets"), kFont);
  builtIns->addTarget(ControlEvent::touchUpInside,
                      weakly<PresetsViewController>([](PresetsViewController& s) { s.restoreBuiltIns(); }));
  for (const auto& view : std::initializer_list<std::shared_ptr<View>>{save, deleteButton_, line_, undoButton_, builtIns})
    this->view()->addSubview(view);

  table_->setName("presets");
  table_->setAccessibilityLabel(Text("Presets"));
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
  naming_ = presets::nameFor(current_());
  offered_ = true;
  say(Text("Name: %1", *naming_ + "_"));
}

void PresetsViewController::type(const Typing& key) {
  if (!naming_) return;
  std::string& name = *naming_;
  switch (key.kind) {
    case Typing::Kind::text:
      // A control key's text (Ctrl+A, a tab) is no part of a name the list and the file show.
      if (std::any_of(key.text.begin(), key.text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; })) return;
      if (std::exchange(offered_, false)) name.clear();
      if (name.size() + key.text.size() <= kLongestName) name += key.text;
      break;
    case Typing::Kind::erase:
      if (std::exchange(offered_, false)) name.clear();
      // A whole character, however many bytes it takes.
      while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
      if (!name.empty()) name.pop_back();
      break;
    case Typing::Kind::cancel:
      naming_.reset();
      return say({});
    case Typing::Kind::enter: {
      const std::string typed = std::exchange(naming_, std::nullopt).value();
      return keepAs(typed);
    }
  }
  say(Text("Name: %1", name + "_"));
}

void PresetsViewController::keepAs(const std::string& name) {
  if (const auto saved = presets::save(platform().defaults, name, current_()); !saved.ok()) {
    say({});
    return alertQueue().show(Alert{Text("Cannot save"), saved.error().text, Text("OK")});
  }
  say(Text("Saved as %1", name));
  reload();
}

void PresetsViewController::undo() {
  if (!deleted_) return;
  const Deleted back = *deleted_;
  forgetDeleted();
  if (const auto put = presets::putBack(platform().defaults, back.name, back.words); !put.ok())
    alertQueue().show(Alert{Text("Cannot undo"), put.error().text, Text("OK")});
  else say(Text("Back: %1", back.name));
  reload();
}

void PresetsViewController::restoreBuiltIns() {
  presets::restoreBuiltIns(platform().defaults);
  say(Text("The built-in presets are back"));
  reload();
}

void PresetsViewController::say(const Text& text) {
  line_->setText(text);
  line_->setAccessibilityLabel(text);
}

void PresetsViewController::forgetDeleted() {
  deleted_.reset();
  if (undoTime_) undoTime_->invalidate();
  undoTime_.reset();
  undoButton_->setHidden(true);
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
  cell->setAccessibilityLabel(Text::verbatim(name));
  auto label = std::make_shared<Label>();
  label->setFrame(makeRect(20, 0, mainScreen().bounds.width - 40, 48));
  label->setText(Text::verbatim(name));
  label->setFont(kFont);
  label->setTextColor(Color::white());
  cell->contentView()->addSubview(label);
  return cell;
}

void PresetsViewController::didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) {
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(*table_, 0)) return;
  const std::string name = names_[static_cast<std::size_t>(indexPath.row)];
  if (deleting_) {
    const auto all = presets::all(platform().defaults);
    // One another run removed meanwhile is gone all the same.
    if (const auto kept = all.find(name); kept != all.end() && presets::remove(platform().defaults, name).ok()) {
      forgetDeleted();
      deleted_ = Deleted{name, kept->second};
      undoButton_->setHidden(false);
      undoTime_ = platform().runLoop.scheduleTimer(kUndoTime, false, weakly<PresetsViewController>([](PresetsViewController& s) {
                                                     s.forgetDeleted();
                                                     s.say({});
                                                   }));
      say(Text("Deleted %1", name));
    }
    reload();
    return;
  }
  const auto plan = presets::plan(platform().defaults, name);
  if (!plan.ok()) return alertQueue().show(Alert{Text("Cannot use it"), plan.error().text, Text("OK")});
  pick_(plan.value());
}

}  // namespace kiro
