#pragma once

#include <QPixmap>
#include <QVariantAnimation>
#include <QWidget>
#include <memory>

#include "platform/qt/asset_pixmaps.h"
#include "platform/qt/view_painter.h"
#include "platform/ui/navigation_controller.h"

namespace kiro {

// A phone-shaped window that draws the navigation stack's front screen under its
// navigation bar and turns mouse presses into the buttons' touch events. It follows the
// model; it decides nothing itself.
class PhoneWindow final : public QWidget {
  Q_OBJECT

 public:
  // navigation: the stack to show; size: the main screen in points.
  PhoneWindow(std::shared_ptr<NavigationController> navigation, QSize size);

  // Something in the model changed: draw again.
  void modelChanged() { update(); }
  // The stack changed: slide the new front screen in (push) or the old one out (pop).
  void navigationChanged(NavigationChange change, bool animated);

  // The window as the model shows it now, at scale pixels per point.
  QImage snapshot(double scale);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  static constexpr double kStatusBarHeight = 20;
  static constexpr double kBarHeight = 44;

  void paintModel(QPainter& painter);
  void paintBar(QPainter& painter);
  QPointF barItemOrigin(const View& item, bool left) const;
  std::shared_ptr<Button> buttonAt(QPointF point);

  std::shared_ptr<NavigationController> navigation_;
  AssetPixmaps pixmaps_;
  ViewPainter painter_{pixmaps_};
  std::weak_ptr<Button> pressed_;  // a touch may outlive the screen it began on
  QPixmap leaving_;  // the screen that slides away during an animation
  QVariantAnimation slide_;
  int slideDirection_ = 0;
};

}  // namespace kiro
