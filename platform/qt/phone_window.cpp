#include "platform/qt/phone_window.h"

#include <QMouseEvent>
#include <QPainter>

namespace kiro {

namespace {
QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }
}  // namespace

PhoneWindow::PhoneWindow(std::shared_ptr<NavigationController> navigation, QSize size)
    : navigation_(std::move(navigation)) {
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
}

void PhoneWindow::navigationChanged(NavigationChange change, bool animated) {
  pressed_.reset();
  painter_.setPressed(nullptr);
  if (animated && change != NavigationChange::replace && isVisible()) {
    leaving_ = grab();
    slideDirection_ = change == NavigationChange::push ? 1 : -1;
    slide_.stop();
    slide_.start();
  }
  update();
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
    return;
  }
  paintModel(painter);
}

void PhoneWindow::paintModel(QPainter& painter) {
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), Qt::black);
  painter_.paint(painter, *navigation_->topViewController()->view(), {});
  paintBar(painter);
}

void PhoneWindow::paintBar(QPainter& painter) {
  auto& item = navigation_->topViewController()->navigationItem();
  const QRectF bar(0, 0, width(), kStatusBarHeight + kBarHeight);
  painter.fillRect(bar, item.barTintColor() ? toQColor(*item.barTintColor()) : QColor(247, 247, 247));
  if (auto attributes = item.titleTextAttributes()) {
    painter.setFont(fontFor(attributes->font.name, attributes->font.size));
    painter.setPen(toQColor(attributes->foregroundColor));
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

// Bar items keep their own size; the bar places them at its ends, centred in its height.
QPointF PhoneWindow::barItemOrigin(const View& item, bool left) const {
  const auto& frame = item.frame();
  const double x = left ? 8 : width() - 8 - frame.size.width;
  const double y = kStatusBarHeight + (kBarHeight - frame.size.height) / 2;
  return {x - frame.origin.x, y - frame.origin.y};
}

std::shared_ptr<Button> PhoneWindow::buttonAt(QPointF point) {
  auto& item = navigation_->topViewController()->navigationItem();
  for (bool left : {true, false}) {
    const auto& barItem = left ? item.leftBarButtonItem() : item.rightBarButtonItem();
    if (barItem && barItem->customView)
      if (auto found = painter_.buttonAt(barItem->customView, point, barItemOrigin(*barItem->customView, left)))
        return found;
  }
  if (point.y() < kStatusBarHeight + kBarHeight) return nullptr;
  return painter_.buttonAt(navigation_->topViewController()->view(), point);
}

void PhoneWindow::mousePressEvent(QMouseEvent* event) {
  if (slide_.state() == QAbstractAnimation::Running) return;
  auto button = buttonAt(event->position());
  pressed_ = button;
  if (!button) return;
  painter_.setPressed(button.get());
  update();
  button->sendActions(ControlEvent::touchDown);
}

void PhoneWindow::mouseReleaseEvent(QMouseEvent* event) {
  auto button = pressed_.lock();
  pressed_.reset();
  painter_.setPressed(nullptr);
  update();
  if (!button) return;
  // The touch-down may have changed the screen in front; the button then counts as left.
  const bool inside = buttonAt(event->position()) == button;
  button->sendActions(inside ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
}

}  // namespace kiro
