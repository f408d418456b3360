#include "platform/qt/view_painter.h"

#include <QColor>

#include "platform/ui/image_view.h"
#include "platform/ui/label.h"

namespace kiro {

namespace {

QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

QRectF toRect(const Rect& frame, QPointF origin) {
  return {origin.x() + frame.origin.x, origin.y() + frame.origin.y, frame.size.width, frame.size.height};
}

Qt::Alignment toAlignment(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlignment::right: return Qt::AlignRight | Qt::AlignVCenter;
    case TextAlignment::left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

void ViewPainter::paint(QPainter& painter, const View& view, QPointF origin) {
  if (view.isHidden()) return;
  const QRectF rect = toRect(view.frame(), origin);
  if (view.backgroundColor()) painter.fillRect(rect, toQColor(*view.backgroundColor()));
  paintContent(painter, view, rect);
  for (const auto& subview : view.subviews()) paint(painter, *subview, rect.topLeft());
}

void ViewPainter::paintContent(QPainter& painter, const View& view, const QRectF& rect) {
  if (const auto* image = dynamic_cast<const ImageView*>(&view)) {
    if (image->image()) painter.drawPixmap(rect, pixmaps_.pixmap(*image->image()), {});
  } else if (const auto* button = dynamic_cast<const Button*>(&view)) {
    const bool pressed = button == pressed_;
    auto name = pressed ? button->image(ControlState::highlighted) : std::nullopt;
    if (!name) name = button->image(ControlState::normal);
    if (name) painter.drawPixmap(rect, pixmaps_.pixmap(*name), {});
    if (pressed && !button->image(ControlState::highlighted) && button->adjustsImageWhenHighlighted())
      painter.fillRect(rect, QColor(0, 0, 0, 90));
  } else if (const auto* label = dynamic_cast<const Label*>(&view)) {
    painter.setFont(fontFor(label->font().name, label->font().size));
    painter.setPen(toQColor(label->textColor()));
    painter.drawText(rect, static_cast<int>(toAlignment(label->textAlignment())), QString::fromStdString(label->text()));
  }
}

std::shared_ptr<Button> ViewPainter::buttonAt(const std::shared_ptr<View>& root, QPointF point, QPointF origin) {
  if (!root || root->isHidden()) return nullptr;
  const QRectF rect = toRect(root->frame(), origin);
  const auto& subviews = root->subviews();
  for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
    if (auto found = buttonAt(*it, point, rect.topLeft())) return found;
  auto button = std::dynamic_pointer_cast<Button>(root);
  return button && rect.contains(point) ? button : nullptr;
}

}  // namespace kiro
