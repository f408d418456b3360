#include "ui/button.h"

namespace kiro {

std::optional<std::string> Button::image(ControlState state) const {
  return state == ControlState::normal ? normalImage_ : highlightedImage_;
}

void Button::setImage(const std::optional<std::string>& image, ControlState state) {
  update(state == ControlState::normal ? normalImage_ : highlightedImage_, image, ViewProperty::image);
}

void Button::addTarget(ControlEvent event, Action action) {
  if (action) targets_.emplace_back(event, std::move(action));
}

void Button::sendActions(ControlEvent event) {
  // A copy: an action may add targets, which wait for the next touch.
  const auto targets = targets_;
  for (const auto& [targetEvent, action] : targets)
    if (targetEvent == event) action();
}

}  // namespace kiro
