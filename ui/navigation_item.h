#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "base/text.h"
#include "ui/color.h"
#include "ui/font.h"
#include "ui/view.h"

namespace kiro {

// A navigation-bar item that shows a view of the screen's own making, such as a button.
struct BarButtonItem {
  std::shared_ptr<View> customView;
  friend bool operator==(const BarButtonItem&, const BarButtonItem&) = default;
};

// How the bar draws its title.
struct TitleTextAttributes {
  Font font;
  Color foregroundColor;
  friend bool operator==(const TitleTextAttributes&, const TitleTextAttributes&) = default;
};

enum class NavigationItemProperty { title, leftBarButtonItem, rightBarButtonItem, barTintColor, titleTextAttributes };

class NavigationItem;

// Told of each change to a navigation item after it is made.
using NavigationItemObserver = std::function<void(NavigationItem& item, NavigationItemProperty property)>;

// What the navigation bar shows while its screen is in front.
class NavigationItem {
 public:
  // In English; titleWords() as the window shows it.
  const std::string& title() const { return title_.english(); }
  const Text& titleWords() const { return title_; }
  void setTitle(const Text& title) { update(title_, title, NavigationItemProperty::title); }

  // nullopt: no item on that side.
  const std::optional<BarButtonItem>& leftBarButtonItem() const { return left_; }
  void setLeftBarButtonItem(const std::optional<BarButtonItem>& item) {
    update(left_, item, NavigationItemProperty::leftBarButtonItem);
  }
  const std::optional<BarButtonItem>& rightBarButtonItem() const { return right_; }
  void setRightBarButtonItem(const std::optional<BarButtonItem>& item) {
    update(right_, item, NavigationItemProperty::rightBarButtonItem);
  }

  // nullopt: the bar keeps the look the screen before gave it.
  const std::optional<Color>& barTintColor() const { return barTintColor_; }
  void setBarTintColor(const Color& color) { update(barTintColor_, color, NavigationItemProperty::barTintColor); }
  const std::optional<TitleTextAttributes>& titleTextAttributes() const { return titleTextAttributes_; }
  void setTitleTextAttributes(const TitleTextAttributes& attributes) {
    update(titleTextAttributes_, attributes, NavigationItemProperty::titleTextAttributes);
  }

  // observer: told of each change; an empty function stops the telling.
  void setObserver(NavigationItemObserver observer) { observer_ = std::move(observer); }

 private:
  // Stores value and tells the observer, unless the field already holds it.
  template <typename T, typename U>
  void update(T& field, const U& value, NavigationItemProperty property) {
    if (field == value) return;
    field = value;
    changed(property);
  }
  void changed(NavigationItemProperty property);

  Text title_;
  std::optional<BarButtonItem> left_;
  std::optional<BarButtonItem> right_;
  std::optional<Color> barTintColor_;
  std::optional<TitleTextAttributes> titleTextAttributes_;
  NavigationItemObserver observer_;
};

}  // namespace kiro
