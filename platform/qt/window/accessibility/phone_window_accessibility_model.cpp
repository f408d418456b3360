// What the window shows a screen reader: which elements there are now, and what each says.
#include <algorithm>
#include <optional>

#include "platform/qt/window/phone_window.h"
#include "platform/qt/window/accessibility/phone_window_accessibility.h"
#include "platform/qt/window/window_language.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/text_view.h"

namespace kiro {

namespace {

QString toQString(const Text& text) { return shownText(text).trimmed(); }

// What a label or a text view reads as: its text, pictures set into it left out.
QString spokenText(const View& view) {
  if (!view.accessibilityLabel().empty()) return toQString(view.accessibilityWords());
  if (const auto* label = dynamic_cast<const Label*>(&view)) return toQString(label->words());
  if (const auto* text = dynamic_cast<const TextView*>(&view))
    return shownRuns(text->attributedText().string()).remove(QChar(AttributedString::kAttachmentCharacter)).trimmed();
  return {};
}

// Adds every view below view to into.
void addHeld(const View& view, std::vector<const View*>& into) {
  for (const auto& subview : view.subviews()) {
    into.push_back(subview.get());
    addHeld(*subview, into);
  }
}

}  // namespace

std::vector<PhoneWindowAccessibility::Shown> PhoneWindowAccessibility::shown() const {
  if (!window_.alerts_.visible()) return screenShown();
  // The alert is modal and dims the whole window.
  return {{{Kind::alert, {}, -1}, QRectF(QPointF(0, 0), window_.screenSize()), -1},
          {{Kind::alertButton, {}, -1}, window_.alertButtonRect(), 0}};
}

// The front screen with its bar, as drawn, whether or not an alert covers it.
std::vector<PhoneWindowAccessibility::Shown> PhoneWindowAccessibility::screenShown() const {
  std::vector<Shown> found;
  // Built in place: a braced temporary holding a weak_ptr trips a false warning of GCC 12.
  const auto push = [&found](Kind kind, const std::shared_ptr<View>& view, const QRectF& rect,
                             std::int64_t row = -1, int parent = -1) {
    Shown& shown = found.emplace_back();
    shown.key.kind = kind;
    shown.key.view = view;
    shown.key.row = row;
    shown.rect = rect;
    shown.parent = parent;
  };
  std::vector<const View*> held;  // what buttons hold: a button speaks for it
  const auto add = [&found, &push, &held](const std::shared_ptr<View>& view, const QRectF& rect) {
    if (std::find(held.begin(), held.end(), view.get()) != held.end()) return;
    if (std::dynamic_pointer_cast<Button>(view)) {
      push(Kind::button, view, rect);
      addHeld(*view, held);
    } else if (auto table = std::dynamic_pointer_cast<TableView>(view)) {
      const int list = static_cast<int>(found.size());
      push(Kind::list, view, rect);
      for (std::int64_t row = 0; row < table->numberOfRows(); ++row)
        push(Kind::row, view, tableRowRect(*table, rect, row), row, list);
    } else if (dynamic_cast<const Label*>(view.get()) || dynamic_cast<const TextView*>(view.get())) {
      if (!spokenText(*view).isEmpty()) push(Kind::text, view, rect);
    } else if (!view->accessibilityLabel().empty()) {
      push(Kind::picture, view, rect);
    }
  };
  const auto& screen = window_.navigation_->topViewController();
  const auto& item = screen->navigationItem();
  const auto addBarItem = [&](const std::optional<BarButtonItem>& barItem, bool left) {
    if (barItem && barItem->customView)
      window_.painter_.forEachShown(barItem->customView, window_.barItemOrigin(*barItem->customView, left), add);
  };
  addBarItem(item.leftBarButtonItem(), true);
  if (!item.title().empty())
    found.push_back(
        {{Kind::title, {}, -1}, QRectF(0, PhoneWindow::kStatusBarHeight, window_.screenWidth(), PhoneWindow::kBarHeight)});
  addBarItem(item.rightBarButtonItem(), false);
  window_.painter_.forEachShown(screen->view(), {}, add);
  return found;
}

QString PhoneWindowAccessibility::name(const Key& key) const {
  const auto view = key.view.lock();
  const Alert* alert = window_.alerts_.visible();
  switch (key.kind) {
    case Kind::title: return toQString(window_.navigation_->topViewController()->navigationItem().titleWords());
    case Kind::alert: return alert ? toQString(alert->title) : QString();
    case Kind::alertButton: return alert ? toQString(alert->buttonTitle) : QString();
    case Kind::text: return view ? spokenText(*view) : QString();
    case Kind::row: {
      const auto table = std::dynamic_pointer_cast<TableView>(view);
      const auto cell = table ? table->cellForRow(key.row) : nullptr;
      return cell ? toQString(cell->accessibilityWords()) : QString();
    }
    case Kind::button:
    case Kind::picture:
    case Kind::list: break;
  }
  return view ? toQString(view->accessibilityWords()) : QString();
}

QString PhoneWindowAccessibility::description(const Key& key) const {
  const Alert* alert = window_.alerts_.visible();
  return key.kind == Kind::alert && alert ? toQString(alert->message) : QString();
}

QAccessible::Role PhoneWindowAccessibility::role(const Key& key) const {
  const auto* button = dynamic_cast<const Button*>(key.view.lock().get());
  if (button && button->isChoice()) return QAccessible::RadioButton;
  switch (key.kind) {
    case Kind::button:
    case Kind::alertButton: return QAccessible::PushButton;
    case Kind::picture: return QAccessible::Graphic;
    case Kind::list: return QAccessible::List;
    case Kind::row: return QAccessible::ListItem;
    case Kind::alert: return QAccessible::AlertMessage;
    case Kind::title:
    case Kind::text: break;
  }
  return QAccessible::StaticText;
}

QAccessible::State PhoneWindowAccessibility::state(const Key& key) const {
  QAccessible::State state;
  state.modal = key.kind == Kind::alert;
  const auto view = key.view.lock();
  if (key.kind == Kind::button || key.kind == Kind::row) {
    const auto targets = window_.targets();
    const auto found = std::find_if(targets.begin(), targets.end(), [&](const PlacedTarget& placed) {
      return key.kind == Kind::row ? placed.target.table == view && placed.target.row == key.row
                                   : placed.target.button == view;
    });
    state.focusable = found != targets.end();
    state.focused = state.focusable && found - targets.begin() == window_.focus_;
  }
  if (const auto* button = dynamic_cast<const Button*>(view.get())) {
    state.checked = button->isSelected();
    state.checkable = button->isChoice();
  }
  if (const auto on = view ? view->accessibilityOn() : std::nullopt) {
    state.checkable = true;
    state.checked = *on;
  }
  return state;
}

QRect PhoneWindowAccessibility::screenRect(const Key& key) const {
  const auto all = shown();
  const auto found = std::find_if(all.begin(), all.end(), [&key](const Shown& shown) { return shown.key == key; });
  if (found == all.end()) return {};
  // Drawn in points, scaled and centred in the window.
  const QRectF inWindow(window_.offset() + found->rect.topLeft() * window_.scale(), found->rect.size() * window_.scale());
  return inWindow.toAlignedRect().translated(window_.mapToGlobal(QPoint(0, 0)));
}

}  // namespace kiro
