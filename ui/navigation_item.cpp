#include "ui/navigation_item.h"

namespace kiro {

void NavigationItem::changed(NavigationItemProperty property) {
  // A copy: the observer may replace itself while it is told.
  if (auto observer = observer_) observer(*this, property);
}

}  // namespace kiro
