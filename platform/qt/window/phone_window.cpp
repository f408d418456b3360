#include "platform/qt/window/phone_window.h"

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "platform/qt/window/window_language.h"
#include "ui/window_size.h"

namespace kiro {

namespace {
QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }
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
                   shownText(item.titleWords()));
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


}  // namespace kiro
