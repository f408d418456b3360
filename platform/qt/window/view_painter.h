#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QPainter>
#include <QPointF>
#include <QRegion>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/qt/window/asset_pixmaps.h"
#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/scroll_view.h"
#include "ui/table_view.h"
#include "ui/view.h"

namespace kiro {

// What a press landed on: a button, or a row of a table.
struct TouchTarget {
  std::shared_ptr<Button> button;
  std::shared_ptr<TableView> table;
  std::int64_t row = -1;
  explicit operator bool() const { return button || table; }
};

// A target and where it is drawn.
struct PlacedTarget {
  TouchTarget target;
  QRectF rect;
};

// Where row sits in table, drawn at rect: cells fill its width, one row height each, top first.
QRectF tableRowRect(const TableView& table, const QRectF& rect, std::int64_t row);

// Draws a view tree as the model describes it and finds what a press lands on. Its only
// state is how things look: the button held down, animation clocks, scroll offsets.
class ViewPainter {
 public:
  explicit ViewPainter(AssetPixmaps& pixmaps);

  // origin: where view's superview puts its top-left corner.
  void paint(QPainter& painter, View& view, QPointF origin);

  // The front-most target under point (in the coordinates of root's superview).
  TouchTarget targetAt(const std::shared_ptr<View>& root, QPointF point, QPointF origin = {});
  // Tells visit of each view drawn from root down, with the rect it is drawn in (in the
  // coordinates of root's superview); a view comes before those it holds, so later ones
  // are in front.
  void forEachShown(const std::shared_ptr<View>& root, QPointF origin,
                    const std::function<void(const std::shared_ptr<View>&, const QRectF&)>& visit) const;
  // Starts decoding the pictures root's tree shows at rest, for its first paint.
  void prefetch(const std::shared_ptr<View>& root);
  // Adds every button and table row root's tree shows, in drawing order.
  void collectTargets(const std::shared_ptr<View>& root, QPointF origin, std::vector<PlacedTarget>& into);
  // Scrolls the scroll view under point by dy points; whether one was there.
  bool scroll(View& root, QPointF point, double dy, QPointF origin = {});

  void setPressed(const Button* button) { pressed_ = button; }
  // Where animating image views were drawn since the last call (in device coordinates):
  // between two frames of an animation, only that changes.
  QRegion takeAnimatedArea() { return std::exchange(animatedArea_, {}); }

 private:
  void paintContent(QPainter& painter, View& view, const QRectF& rect);
  void paintTable(QPainter& painter, TableView& table, const QRectF& rect);
  std::optional<std::string> imageShown(const ImageView& view);
  double offset(const View& view) const;

  AssetPixmaps& pixmaps_;
  const Button* pressed_ = nullptr;
  QElapsedTimer clock_;
  QHash<const ImageView*, qint64> animationStarts_;
  QRegion animatedArea_;
  QHash<const ScrollView*, double> scrollOffsets_;
};

}  // namespace kiro
