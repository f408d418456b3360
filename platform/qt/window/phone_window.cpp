#include "platform/qt/window/phone_window.h"

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "platform/qt/window/window_language.h"
#include "ui/window_size.h"

namespace kiro {

namespace {
QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

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

PhoneWindow::PhoneWindow(std::shared_ptr<NavigationController> navigation, AlertQueue& alerts, QSize size)
    : phone_(size), navigation_(std::move(navigation)), alerts_(alerts) {
  // A screen smaller than the phone's gets a window that fits it.
  QSize fitted = size;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size();
    if (!room.isEmpty() && (room.width() < size.width() || room.height() < size.height()))
      fitted = size.scaled(room, Qt::KeepAspectRatio);
  }
  resize(fitted);
  setMinimumSize(size / 4);
  setFocusPolicy(Qt::StrongFocus);
  slide_.setDuration(300);
  slide_.setStartValue(1.0);
  slide_.setEndValue(0.0);
  slide_.setEasingCurve(QEasingCurve::OutCubic);
  connect(&slide_, &QVariantAnimation::valueChanged, this, [this] { update(); });
  connect(&slide_, &QVariantAnimation::finished, this, [this] {
    leaving_ = {};
    update();
  });
  frames_.setInterval(40);
  connect(&frames_, &QTimer::timeout, this, [this] { update(animatedArea_); });
  // The front screen's pictures decode on the other core while the window gets shown.
  if (const auto& top = navigation_->topViewController(); top->isViewLoaded()) painter_.prefetch(top->view());
}

void PhoneWindow::navigationChanged(NavigationChange change, bool animated) {
  pressedButton_.reset();
  pressedTable_.reset();
  painter_.setPressed(nullptr);
  focus_ = -1;
  if (animated && change != NavigationChange::replace && isVisible()) {
    leaving_ = QPixmap::fromImage(snapshot(scale() * devicePixelRatioF()));
    slideDirection_ = change == NavigationChange::push ? 1 : -1;
    slide_.stop();
    slide_.start();
  }
  update();
  accessibility_.modelChanged();
}

void PhoneWindow::modelChanged(View& view, ViewProperty property) {
  accessibility_.modelChanged();
  // What a screen reader is told is not drawn.
  if (property == ViewProperty::accessibility) return;
  // A picture is drawn inside its frame, and a table's rows inside the table: a change to
  // either shows there alone. Anything else may reach beyond the view, or move it.
  const bool inPlace = property == ViewProperty::image || property == ViewProperty::rows;
  if (!inPlace || slide_.state() == QAbstractAnimation::Running) return update();
  std::optional<QRectF> shown;
  painter_.forEachShown(navigation_->topViewController()->view(), {},
                        [&](const std::shared_ptr<View>& each, const QRectF& rect) {
                          if (each.get() == &view) shown = rect;
                        });
  if (!shown) return update();
  const QRectF area(offset() + shown->topLeft() * scale(), shown->size() * scale());
  update(area.toAlignedRect().adjusted(-1, -1, 1, 1));
}

QImage PhoneWindow::snapshot(double scale) {
  QImage image((screenSize() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  paintModel(painter);
  return image;
}

void PhoneWindow::paintEvent(QPaintEvent*) {
  // Only what this paint records counts: a snapshot in between may have added its own.
  painter_.takeAnimatedArea();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::black);
  painter.translate(offset());
  painter.scale(scale(), scale());
  painter.setClipRect(QRectF(QPointF(0, 0), screenSize()));
  if (!leaving_.isNull() && slide_.state() == QAbstractAnimation::Running) {
    const double progress = slide_.currentValue().toDouble();
    const double w = screenWidth();
    const QSizeF whole = screenSize();
    // Push: the new screen comes in from the right. Pop: the old one leaves to the right.
    if (slideDirection_ > 0) {
      painter.drawPixmap(QRectF(QPointF(-w * (1 - progress) / 3, 0), whole), leaving_, leaving_.rect());
      painter.save();
      painter.translate(w * progress, 0);
      paintModel(painter);
      painter.restore();
    } else {
      painter.save();
      painter.translate(-w * progress / 3, 0);
      paintModel(painter);
      painter.restore();
      painter.drawPixmap(QRectF(QPointF(w * (1 - progress), 0), whole), leaving_, leaving_.rect());
    }
  } else {
    paintModel(painter);
  }
  const std::vector<PlacedTarget> shown = focus_ >= 0 && hasFocus() ? targets() : std::vector<PlacedTarget>{};
  if (focus_ >= 0 && focus_ < static_cast<int>(shown.size())) {
    painter.setPen(QPen(QColor(0, 122, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(shown[static_cast<std::size_t>(focus_)].rect.adjusted(-3, -3, 3, 3), 4, 4);
  }
  // Every view is drawn, if clipped, so this is the whole of what animates.
  animatedArea_ = painter_.takeAnimatedArea();
  if (animatedArea_.isEmpty() == frames_.isActive()) animatedArea_.isEmpty() ? frames_.stop() : frames_.start();
  // Posted: it runs once this frame is on screen.
  if (afterFirstFrame_) QTimer::singleShot(0, this, std::exchange(afterFirstFrame_, {}));
}

void PhoneWindow::paintModel(QPainter& painter) {
  painter.fillRect(QRectF(QPointF(0, 0), screenSize()), Qt::black);
  painter_.paint(painter, *navigation_->topViewController()->view(), {});
  paintBar(painter);
  if (const Alert* alert = alerts_.visible()) paintAlert(painter, *alert);
}

void PhoneWindow::paintBar(QPainter& painter) {
  auto& item = navigation_->topViewController()->navigationItem();
  // The bar is one for the whole stack: it keeps the look a screen before gave it.
  if (item.barTintColor()) barTint_ = toQColor(*item.barTintColor());
  if (item.titleTextAttributes()) titleAttributes_ = item.titleTextAttributes();
  const QRectF bar(0, 0, screenWidth(), kStatusBarHeight + kBarHeight);
  painter.fillRect(bar, barTint_);
  if (titleAttributes_) {
    painter.setFont(fontFor(titleAttributes_->font.name, titleAttributes_->font.size));
    painter.setPen(toQColor(titleAttributes_->foregroundColor));
  } else {
    painter.setFont(fontFor("Arial-BoldMT", 17));
    painter.setPen(Qt::black);
  }
  painter.drawText(QRectF(0, kStatusBarHeight, screenWidth(), kBarHeight), Qt::AlignCenter,
                   shownText(item.title()));
  for (bool left : {true, false}) {
    const auto& barItem = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    if (barItem && barItem->customView)
      painter_.paint(painter, *barItem->customView, barItemOrigin(*barItem->customView, left));
  }
}

// A centred card with the title, the message and one button below a hairline.
void PhoneWindow::paintAlert(QPainter& painter, const Alert& alert) {
  painter.fillRect(QRectF(QPointF(0, 0), screenSize()), QColor(0, 0, 0, 100));
  const QRectF button = alertButtonRect();
  const QRectF card(button.left(), button.top() - 90, button.width(), 90 + button.height());
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(248, 248, 248, 245));
  painter.drawRoundedRect(card, 13, 13);
  painter.setPen(Qt::black);
  painter.setFont(fontFor("Arial-BoldMT", 17));
  painter.drawText(card.adjusted(16, 18, -16, 0), Qt::AlignHCenter | Qt::AlignTop, shownText(alert.title));
  painter.setFont(fontFor("ArialMT", 13));
  painter.drawText(card.adjusted(16, 46, -16, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   shownText(alert.message));
  painter.fillRect(QRectF(button.left(), button.top(), button.width(), 0.5), QColor(200, 199, 204));
  painter.setPen(QColor(0, 122, 255));
  painter.setFont(fontFor("Arial-BoldMT", 17));
  painter.drawText(button, Qt::AlignCenter, shownText(alert.buttonTitle));
}

QRectF PhoneWindow::alertButtonRect() const {
  const double w = 270;
  return {(screenWidth() - w) / 2, screenHeight() / 2 + 20, w, 44};
}

// Bar items keep their own size; the bar places them at its ends, centred in its height.
QPointF PhoneWindow::barItemOrigin(const View& item, bool left) const {
  const auto& frame = item.frame();
  const double x = left ? 8 : screenWidth() - 8 - frame.size.width;
  const double y = kStatusBarHeight + (kBarHeight - frame.size.height) / 2;
  return {x - frame.origin.x, y - frame.origin.y};
}

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

void PhoneWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSizeF before = screenSize();
  navigation_->setViewSize(layoutSize({static_cast<double>(width()), static_cast<double>(height())},
                                      {static_cast<double>(phone_.width()), static_cast<double>(phone_.height())}));
  if (screenSize() != before) relaidOut_ = true;
}

QSizeF PhoneWindow::screenSize() const {
  const Size size = navigation_->topViewController()->view()->frame().size;
  return {size.width, size.height};
}

double PhoneWindow::scale() const {
  return std::min(width() / std::max(1.0, screenWidth()), height() / std::max(1.0, screenHeight()));
}

QPointF PhoneWindow::offset() const {
  return {(width() - screenWidth() * scale()) / 2, (height() - screenHeight() * scale()) / 2};
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
