#include "platform/qt/phone_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kiro {

namespace {
QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }
}  // namespace

PhoneWindow::PhoneWindow(std::shared_ptr<NavigationController> navigation, AlertQueue& alerts, QSize size)
    : navigation_(std::move(navigation)), alerts_(alerts) {
  setFixedSize(size);
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
  connect(&frames_, &QTimer::timeout, this, [this] { update(); });
}

void PhoneWindow::navigationChanged(NavigationChange change, bool animated) {
  pressedButton_.reset();
  pressedTable_.reset();
  painter_.setPressed(nullptr);
  if (animated && change != NavigationChange::replace && isVisible()) {
    leaving_ = grab();
    slideDirection_ = change == NavigationChange::push ? 1 : -1;
    slide_.stop();
    slide_.start();
  }
  update();
  accessibility_.modelChanged();
}

QImage PhoneWindow::snapshot(double scale) {
  QImage image((QSizeF(size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  paintModel(painter);
  return image;
}

void PhoneWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::black);
  if (!leaving_.isNull() && slide_.state() == QAbstractAnimation::Running) {
    const double progress = slide_.currentValue().toDouble();
    const double w = width();
    // Push: the new screen comes in from the right. Pop: the old one leaves to the right.
    if (slideDirection_ > 0) {
      painter.drawPixmap(QPointF(-w * (1 - progress) / 3, 0), leaving_);
      painter.translate(w * progress, 0);
      paintModel(painter);
    } else {
      painter.save();
      painter.translate(-w * progress / 3, 0);
      paintModel(painter);
      painter.restore();
      painter.drawPixmap(QPointF(w * (1 - progress), 0), leaving_);
    }
  } else {
    paintModel(painter);
  }
  if (painter_.animating() != frames_.isActive()) painter_.animating() ? frames_.start() : frames_.stop();
}

void PhoneWindow::paintModel(QPainter& painter) {
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), Qt::black);
  painter_.paint(painter, *navigation_->topViewController()->view(), {});
  paintBar(painter);
  if (const Alert* alert = alerts_.visible()) paintAlert(painter, *alert);
}

void PhoneWindow::paintBar(QPainter& painter) {
  auto& item = navigation_->topViewController()->navigationItem();
  // The bar is one for the whole stack: it keeps the look a screen before gave it.
  if (item.barTintColor()) barTint_ = toQColor(*item.barTintColor());
  if (item.titleTextAttributes()) titleAttributes_ = item.titleTextAttributes();
  const QRectF bar(0, 0, width(), kStatusBarHeight + kBarHeight);
  painter.fillRect(bar, barTint_);
  if (titleAttributes_) {
    painter.setFont(fontFor(titleAttributes_->font.name, titleAttributes_->font.size));
    painter.setPen(toQColor(titleAttributes_->foregroundColor));
  } else {
    painter.setFont(fontFor("Arial-BoldMT", 17));
    painter.setPen(Qt::black);
  }
  painter.drawText(QRectF(0, kStatusBarHeight, width(), kBarHeight), Qt::AlignCenter,
                   QString::fromStdString(item.title()));
  for (bool left : {true, false}) {
    const auto& barItem = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    if (barItem && barItem->customView)
      painter_.paint(painter, *barItem->customView, barItemOrigin(*barItem->customView, left));
  }
}

// A centred card with the title, the message and one button below a hairline.
void PhoneWindow::paintAlert(QPainter& painter, const Alert& alert) {
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), QColor(0, 0, 0, 100));
  const QRectF button = alertButtonRect();
  const QRectF card(button.left(), button.top() - 90, button.width(), 90 + button.height());
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(248, 248, 248, 245));
  painter.drawRoundedRect(card, 13, 13);
  painter.setPen(Qt::black);
  painter.setFont(fontFor("Arial-BoldMT", 17));
  painter.drawText(card.adjusted(16, 18, -16, 0), Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(alert.title));
  painter.setFont(fontFor("ArialMT", 13));
  painter.drawText(card.adjusted(16, 46, -16, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdString(alert.message));
  painter.fillRect(QRectF(button.left(), button.top(), button.width(), 0.5), QColor(200, 199, 204));
  painter.setPen(QColor(0, 122, 255));
  painter.setFont(fontFor("Arial-BoldMT", 17));
  painter.drawText(button, Qt::AlignCenter, QString::fromStdString(alert.buttonTitle));
}

QRectF PhoneWindow::alertButtonRect() const {
  const double w = 270;
  return {(width() - w) / 2, height() / 2.0 + 20, w, 44};
}

// Bar items keep their own size; the bar places them at its ends, centred in its height.
QPointF PhoneWindow::barItemOrigin(const View& item, bool left) const {
  const auto& frame = item.frame();
  const double x = left ? 8 : width() - 8 - frame.size.width;
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
    pressedAlert_ = alertButtonRect().contains(event->position());
    return;
  }
  const TouchTarget target = targetAt(event->position());
  pressedButton_ = target.button;
  pressedTable_ = target.table;
  pressedRow_ = target.row;
  if (!target.button) return;
  painter_.setPressed(target.button.get());
  update();
  target.button->sendActions(ControlEvent::touchDown);
}

void PhoneWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (std::exchange(pressedAlert_, false)) {
    if (alertButtonRect().contains(event->position())) alerts_.dismiss();
    return;
  }
  auto button = pressedButton_.lock();
  auto table = pressedTable_.lock();
  pressedButton_.reset();
  pressedTable_.reset();
  painter_.setPressed(nullptr);
  update();
  const TouchTarget target = targetAt(event->position());
  if (button) {
    // The touch-down may have changed the screen in front; the button then counts as left.
    button->sendActions(target.button == button ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
  } else if (table && target.table == table && target.row == pressedRow_) {
    table->selectRow(pressedRow_);
  }
}

void PhoneWindow::wheelEvent(QWheelEvent* event) {
  if (painter_.scroll(*navigation_->topViewController()->view(), event->position(), -event->angleDelta().y() / 4.0))
    update();
}

}  // namespace kiro
