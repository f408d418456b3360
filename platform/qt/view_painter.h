#pragma once

#include <QPainter>
#include <QPointF>

#include "platform/qt/asset_pixmaps.h"
#include "platform/ui/button.h"
#include "platform/ui/view.h"

namespace kiro {

// Draws a view tree as the model describes it, and finds the button under a point. It holds
// no state of the screens: only which button is being pressed, to show its highlighted look.
class ViewPainter {
 public:
  explicit ViewPainter(AssetPixmaps& pixmaps) : pixmaps_(pixmaps) {}

  // origin: where view's superview puts its top-left corner.
  void paint(QPainter& painter, const View& view, QPointF origin);

  // The front-most visible button under point (in the coordinates of root's superview).
  std::shared_ptr<Button> buttonAt(const std::shared_ptr<View>& root, QPointF point, QPointF origin = {});

  void setPressed(const Button* button) { pressed_ = button; }

 private:
  void paintContent(QPainter& painter, const View& view, const QRectF& rect);

  AssetPixmaps& pixmaps_;
  const Button* pressed_ = nullptr;
};

}  // namespace kiro
