#include "platform/qt/window/view_painter.h"

#include <QColor>
#include <QImage>

#include "platform/qt/window/text_document.h"
#include "platform/qt/window/window_language.h"
#include "ui/label.h"
#include "ui/table_view_cell.h"
#include "ui/text_view.h"

namespace kiro {

namespace {

QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

// The picture's pixels as they are, without a copy: Pixel is premultiplied RGBA in that order.
QImage pictureImage(const Picture& picture) {
  const auto width = static_cast<int>(picture.pixelWidth());
  return {reinterpret_cast<const uchar*>(picture.row(0).data()), width, static_cast<int>(picture.pixelHeight()),
          width * static_cast<int>(sizeof(Pixel)), QImage::Format_RGBA8888_Premultiplied};
}

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

QRectF tableRowRect(const TableView& table, const QRectF& rect, std::int64_t row) {
  return {rect.x(), rect.y() + static_cast<double>(row) * table.rowHeight(), rect.width(), table.rowHeight()};
}

ViewPainter::ViewPainter(AssetPixmaps& pixmaps) : pixmaps_(pixmaps) { clock_.start(); }

void ViewPainter::paint(QPainter& painter, View& view, QPointF origin) {
  if (view.isHidden()) return;
  const QRectF rect = toRect(view.frame(), origin);
  if (view.backgroundColor()) painter.fillRect(rect, toQColor(*view.backgroundColor()));
  paintContent(painter, view, rect);
  painter.save();
  if (dynamic_cast<const ScrollView*>(&view)) painter.setClipRect(rect, Qt::IntersectClip);
  const QPointF inner = rect.topLeft() - QPointF(0, offset(view));
  for (const auto& subview : view.subviews()) paint(painter, *subview, inner);
  painter.restore();
}

void ViewPainter::paintContent(QPainter& painter, View& view, const QRectF& rect) {
  if (const auto* image = dynamic_cast<const ImageView*>(&view)) {
    if (const auto& picture = image->picture()) painter.drawImage(rect, pictureImage(*picture));
    else if (auto name = imageShown(*image)) painter.drawPixmap(rect, pixmaps_.pixmap(*name), {});
    // A pixel more each side: a smoothly scaled picture may bleed into it.
    if (image->isAnimating())
      animatedArea_ += painter.worldTransform().mapRect(rect).toAlignedRect().adjusted(-1, -1, 1, 1);
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
    const int flags = static_cast<int>(toAlignment(label->textAlignment())) | (label->wraps() ? Qt::TextWordWrap : 0);
    painter.drawText(rect, flags, shownText(label->words()));
  } else if (const auto* text = dynamic_cast<const TextView*>(&view)) {
    const auto document = textDocument(*text, rect.width());
    const auto& inset = text->textContainerInset();
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.translate(rect.x() + inset.left + text->lineFragmentPadding(), rect.y() + inset.top);
    document->drawContents(&painter);
    painter.restore();
  } else if (auto* table = dynamic_cast<TableView*>(&view)) {
    paintTable(painter, *table, rect);
  }
}

void ViewPainter::paintTable(QPainter& painter, TableView& table, const QRectF& rect) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  for (std::int64_t row = 0; row < table.numberOfRows(); ++row) {
    const QRectF cellRect = tableRowRect(table, rect, row);
    if (cellRect.top() > rect.bottom()) break;
    // Built on request: the table asks its data source as it shows each row.
    auto cell = table.cellForRow(row);
    if (!cell) continue;
    if (cell->backgroundColor()) painter.fillRect(cellRect, toQColor(*cell->backgroundColor()));
    for (const auto& subview : cell->subviews()) paint(painter, *subview, cellRect.topLeft());
    if (table.separatorStyle() == TableViewCellSeparatorStyle::singleLine)
      painter.fillRect(QRectF(cellRect.left() + 15, cellRect.bottom() - 0.5, cellRect.width() - 15, 0.5),
                       QColor(200, 199, 204));
  }
  painter.restore();
}

std::optional<std::string> ViewPainter::imageShown(const ImageView& view) {
  if (!view.isAnimating()) {
    animationStarts_.remove(&view);
    return view.image();
  }
  auto start = animationStarts_.find(&view);
  if (start == animationStarts_.end()) start = animationStarts_.insert(&view, clock_.elapsed());
  return view.displayedImage(Millis{clock_.elapsed() - *start});
}

double ViewPainter::offset(const View& view) const {
  const auto* scroll = dynamic_cast<const ScrollView*>(&view);
  return scroll ? scrollOffsets_.value(scroll, 0.0) : 0.0;
}

TouchTarget ViewPainter::targetAt(const std::shared_ptr<View>& root, QPointF point, QPointF origin) {
  TouchTarget found;
  forEachShown(root, origin, [&found, point](const std::shared_ptr<View>& view, const QRectF& rect) {
    if (!rect.contains(point)) return;
    if (auto button = std::dynamic_pointer_cast<Button>(view)) {
      found = {button, nullptr, -1};
    } else if (auto table = std::dynamic_pointer_cast<TableView>(view)) {
      const auto row = static_cast<std::int64_t>((point.y() - rect.y()) / std::max(1.0, table->rowHeight()));
      if (row < table->numberOfRows()) found = {nullptr, table, row};
    }
  });
  return found;
}

void ViewPainter::forEachShown(const std::shared_ptr<View>& root, QPointF origin,
                               const std::function<void(const std::shared_ptr<View>&, const QRectF&)>& visit) const {
  if (!root || root->isHidden()) return;
  const QRectF rect = toRect(root->frame(), origin);
  visit(root, rect);
  const QPointF inner = rect.topLeft() - QPointF(0, offset(*root));
  for (const auto& subview : root->subviews()) forEachShown(subview, inner, visit);
}

void ViewPainter::prefetch(const std::shared_ptr<View>& root) {
  std::vector<std::string> names;
  forEachShown(root, {}, [&names](const std::shared_ptr<View>& view, const QRectF&) {
    std::optional<std::string> name;
    if (const auto* image = dynamic_cast<const ImageView*>(view.get())) name = image->image();
    if (const auto* button = dynamic_cast<const Button*>(view.get())) name = button->image(ControlState::normal);
    if (name) names.push_back(*name);
  });
  pixmaps_.prefetch(names);
}

void ViewPainter::collectTargets(const std::shared_ptr<View>& root, QPointF origin, std::vector<PlacedTarget>& into) {
  forEachShown(root, origin, [&into](const std::shared_ptr<View>& view, const QRectF& rect) {
    if (auto button = std::dynamic_pointer_cast<Button>(view)) into.push_back({{button, nullptr, -1}, rect});
    if (auto table = std::dynamic_pointer_cast<TableView>(view))
      for (std::int64_t row = 0; row < table->numberOfRows(); ++row)
        into.push_back({{nullptr, table, row}, tableRowRect(*table, rect, row)});
  });
}

bool ViewPainter::scroll(View& root, QPointF point, double dy, QPointF origin) {
  if (root.isHidden()) return false;
  const QRectF rect = toRect(root.frame(), origin);
  const QPointF inner = rect.topLeft() - QPointF(0, offset(root));
  for (auto it = root.subviews().rbegin(); it != root.subviews().rend(); ++it)
    if (scroll(**it, point, dy, inner)) return true;
  auto* scrollView = dynamic_cast<ScrollView*>(&root);
  if (!scrollView || !scrollView->isScrollEnabled() || !rect.contains(point)) return false;
  const double limit = std::max(0.0, scrollView->contentSize().height - rect.height());
  scrollOffsets_[scrollView] = std::clamp(scrollOffsets_.value(scrollView, 0.0) + dy, 0.0, limit);
  return true;
}

}  // namespace kiro
