#include "platform/qt/window/phone_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

// The window's touches and keys, turned into the model's touch events and row taps.

namespace kiro {

namespace {

// The model's name for a key: a letter, "Space", "Back" for Escape and Alt+Left, or a
// phone's own key: "VolumeUp", "VolumeDown", "Camera", "CameraFocus".
std::optional<std::string> keyName(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Escape || (key == Qt::Key_Left && (event.modifiers() & Qt::AltModifier))) return "Back";
  if (key == Qt::Key_Space) return "Space";
  if (key == Qt::Key_VolumeUp) return "VolumeUp";
  if (key == Qt::Key_VolumeDown) return "VolumeDown";
  if (key == Qt::Key_Camera) return "Camera";
  if (key == Qt::Key_CameraFocus) return "CameraFocus";
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, static_cast<char>('A' + (key - Qt::Key_A)));
  return std::nullopt;
}

}  // namespace

TouchTarget PhoneWindow::targetAt(QPointF point) {
  auto& item = navigation_->topViewController()->navigationItem();
  for (bool left : {true, false}) {
    const auto& barItem = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    if (barItem && barItem->customView)
      if (auto found = painter_.targetAt(barItem->customView, point, barItemOrigin(*barItem->customView, left)))
        return found;
  }
  if (point.y() < kStatusBarHeight + kBarHeight) return {};
  return painter_.targetAt(navigation_->topViewController()->view(), point);
}

void PhoneWindow::mousePressEvent(QMouseEvent* event) {
  if (slide_.state() == QAbstractAnimation::Running) return;
  if (alerts_.visible()) {
    // The alert is modal: only its button answers.
    pressedAlert_ = alertButtonRect().contains(toPhone(event->position()));
    return;
  }
  const TouchTarget target = targetAt(toPhone(event->position()));
  pressedButton_ = target.button;
  pressedTable_ = target.table;
  pressedRow_ = target.row;
  relaidOut_ = false;
  if (!target.button) return;
  painter_.setPressed(target.button.get());
  update();
  target.button->sendActions(ControlEvent::touchDown);
}

void PhoneWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (std::exchange(pressedAlert_, false)) {
    if (alertButtonRect().contains(toPhone(event->position()))) alerts_.dismiss();
    return;
  }
  auto button = pressedButton_.lock();
  auto table = pressedTable_.lock();
  pressedButton_.reset();
  pressedTable_.reset();
  painter_.setPressed(nullptr);
  update();
  const TouchTarget target = targetAt(toPhone(event->position()));
  if (button) {
    // The touch-down may have changed the screen in front; the button then counts as left.
    // A button the layout moved from under the touch (the window resized, a phone turned)
    // did not lose it: a held R ends as let go, never left held by the move.
    const bool inside = target.button == button || std::exchange(relaidOut_, false);
    button->sendActions(inside ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
  } else if (table && target.table == table && target.row == pressedRow_) {
    table->selectRow(pressedRow_);
  }
}

void PhoneWindow::wheelEvent(QWheelEvent* event) {
  if (painter_.scroll(*navigation_->topViewController()->view(), toPhone(event->position()),
                     -event->angleDelta().y() / 4.0))
    update();
}

std::vector<PlacedTarget> PhoneWindow::targets() {
  std::vector<PlacedTarget> found;
  auto& item = navigation_->topViewController()->navigationItem();
  for (bool left : {true, false}) {
    const auto& barItem = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    if (barItem && barItem->customView)
      painter_.collectTargets(barItem->customView, barItemOrigin(*barItem->customView, left), found);
  }
  painter_.collectTargets(navigation_->topViewController()->view(), {}, found);
  return found;
}

void PhoneWindow::keyPressEvent(QKeyEvent* event) {
  // A key held down repeats; a finger held down does not. During a slide the model already
  // has the screen that ends up in front: keys act on it at once.
  if (event->isAutoRepeat()) return;
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (alerts_.visible()) {
    // The alert is modal: only its one button answers.
    if (enter || key == Qt::Key_Escape || key == Qt::Key_Space) alerts_.dismiss();
    return;
  }
  if (auto& front = *navigation_->topViewController(); front.takesTyping()) {
    using Kind = Screen::Typing::Kind;
    if (enter) front.type({Kind::enter, {}});
    else if (key == Qt::Key_Escape) front.type({Kind::cancel, {}});
    else if (key == Qt::Key_Backspace) front.type({Kind::erase, {}});
    else if (!event->text().isEmpty()) front.type({Kind::text, event->text().toStdString()});
    return;
  }
  if (const auto name = keyName(*event)) {
    for (const auto& [target, rect] : targets()) {
      const auto& keys = target.button ? target.button->keyEquivalents() : std::vector<std::string>{};
      if (std::find(keys.begin(), keys.end(), *name) == keys.end()) continue;
      heldKeys_[key] = target.button;
      painter_.setPressed(target.button.get());
      update();
      target.button->sendActions(ControlEvent::touchDown);
      return;
    }
  }
  if (key == Qt::Key_Down || key == Qt::Key_Right) moveFocus(1);
  else if (key == Qt::Key_Up || key == Qt::Key_Left) moveFocus(-1);
  else if (enter) tapFocused();
  else QWidget::keyPressEvent(event);
}

void PhoneWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  const auto held = heldKeys_.find(event->key());
  if (held == heldKeys_.end()) return QWidget::keyReleaseEvent(event);
  const auto button = held->second.lock();
  heldKeys_.erase(held);
  painter_.setPressed(nullptr);
  update();
  // Letting go of a key is always inside its button, even if the screen changed meanwhile.
  if (button) button->sendActions(ControlEvent::touchUpInside);
}

bool PhoneWindow::focusNextPrevChild(bool next) {
  moveFocus(next ? 1 : -1);
  return true;
}

void PhoneWindow::moveFocus(int step) {
  const int count = static_cast<int>(targets().size());
  if (count == 0) return;
  focus_ = focus_ < 0 || focus_ >= count ? (step > 0 ? 0 : count - 1) : (focus_ + step + count) % count;
  modelChanged();  // drawn, and told a screen reader
}

void PhoneWindow::tapFocused() {
  const std::vector<PlacedTarget> shown = targets();
  if (focus_ < 0 || focus_ >= static_cast<int>(shown.size())) return;
  const TouchTarget target = shown[static_cast<std::size_t>(focus_)].target;
  if (target.button) {
    target.button->sendActions(ControlEvent::touchDown);
    target.button->sendActions(ControlEvent::touchUpInside);
  } else {
    target.table->selectRow(target.row);
  }
}

}  // namespace kiro
