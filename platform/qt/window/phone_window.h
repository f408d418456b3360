#pragma once

#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/window/asset_pixmaps.h"
#include "platform/qt/window/accessibility/phone_window_accessibility.h"
#include "platform/qt/window/view_painter.h"
#include "ui/alert.h"
#include "ui/navigation_controller.h"

namespace kiro {

// The window that draws the navigation stack's front screen under its navigation bar,
// with the alert in front on top, and turns mouse presses into the buttons' touch events
// and the tables' row taps. It follows the model; it decides nothing. It opens at the
// phone's size; resized, it tells the screens the size in points it has room for at the
// scale that fits the phone's screen (layoutSize), and they lay out at it. From the
// keyboard, a button's key equivalents act as a touch on it, and Tab or the arrows move a
// focus ring over the buttons and rows that Enter taps.
class PhoneWindow final : public QWidget {
  Q_OBJECT

 public:
  // navigation: the stack to show; alerts: the queue to show; size: the screen in points.
  PhoneWindow(std::shared_ptr<NavigationController> navigation, AlertQueue& alerts, QSize size);

  // Something in the model changed: draw again, and tell a screen reader.
  void modelChanged() {
    update();
    accessibility_.modelChanged();
  }
  // view changed in property: draws again only where that shows, when that is known.
  void modelChanged(View& view, ViewProperty property);
  // The stack changed: slide the new front screen in (push) or the old one out (pop).
  void navigationChanged(NavigationChange change, bool animated);

  // The window as the model shows it now, at scale pixels per point.
  QImage snapshot(double scale);

  // then runs once, just after the first frame is drawn: for what that frame can do without.
  void afterFirstFrame(std::function<void()> then) { afterFirstFrame_ = std::move(then); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  static constexpr double kStatusBarHeight = 20;
  static constexpr double kBarHeight = 44;

  // The front screen's size in points: the phone's, or what the window has room for.
  QSizeF screenSize() const;
  double screenWidth() const { return screenSize().width(); }
  double screenHeight() const { return screenSize().height(); }
  // Window pixels per point, and where the screen starts in the window.
  double scale() const;
  QPointF offset() const;
  QPointF toPhone(QPointF point) const { return (point - offset()) / scale(); }
  // The front screen's buttons and rows with their rectangles, the bar's first.
  std::vector<PlacedTarget> targets();
  void moveFocus(int step);
  void tapFocused();

  void paintModel(QPainter& painter);
  void paintBar(QPainter& painter);
  void paintAlert(QPainter& painter, const Alert& alert);
  QRectF alertButtonRect() const;
  QPointF barItemOrigin(const View& item, bool left) const;
  TouchTarget targetAt(QPointF point);

  QSize phone_;  // the phone's screen in points
  std::shared_ptr<NavigationController> navigation_;
  AlertQueue& alerts_;
  AssetPixmaps pixmaps_;
  ViewPainter painter_{pixmaps_};
  // A touch may outlive the screen it began on.
  std::weak_ptr<Button> pressedButton_;
  std::weak_ptr<TableView> pressedTable_;
  std::int64_t pressedRow_ = -1;
  bool relaidOut_ = false;  // the screen was laid out afresh since the last press
  bool pressedAlert_ = false;
  // Keys held down, with the button each one touches.
  std::map<int, std::weak_ptr<Button>> heldKeys_;
  int focus_ = -1;  // index into targets(), or none
  QPixmap leaving_;  // the screen that slides away during an animation
  QVariantAnimation slide_;
  int slideDirection_ = 0;
  QTimer frames_;  // redraws while an image view animates
  QRegion animatedArea_;  // where, as the last paint drew them
  std::function<void()> afterFirstFrame_;
  QColor barTint_{247, 247, 247};
  std::optional<TitleTextAttributes> titleAttributes_;
  PhoneWindowAccessibility accessibility_{*this};
  friend class PhoneWindowAccessibility;
};

}  // namespace kiro
