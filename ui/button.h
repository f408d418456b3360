#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/view.h"

namespace kiro {

// The looks a button keeps a picture for.
enum class ControlState { normal, highlighted };

// The touch phases a button reports to its targets.
enum class ControlEvent { touchDown, touchUpInside, touchUpOutside };

// A custom button: a picture per state, a selected flag and actions per touch phase.
class Button : public View {
 public:
  using Action = std::function<void()>;

  // The picture set for exactly state; nullopt when none was set.
  std::optional<std::string> image(ControlState state) const;
  // image: asset file name, or nullopt to remove the picture for state.
  void setImage(const std::optional<std::string>& image, ControlState state);

  bool isSelected() const { return selected_; }
  void setSelected(bool selected) { update(selected_, selected, ViewProperty::selected); }

  // One of a set of choices of which the selected one is chosen: a screen reader calls it
  // a radio button, checked while selected.
  bool isChoice() const { return choice_; }
  void setChoice(bool choice) { update(choice_, choice, ViewProperty::accessibility); }

  // Whether the renderer darkens the picture while the button is pressed.
  bool adjustsImageWhenHighlighted() const { return adjustsImageWhenHighlighted_; }
  void setAdjustsImageWhenHighlighted(bool adjusts) {
    update(adjustsImageWhenHighlighted_, adjusts, ViewProperty::adjustsImageWhenHighlighted);
  }

  // Keys that act as a touch on this button while its screen is in front: a letter, "Space"
  // or "Back". Held down is a touch down, let go a touch up inside.
  const std::vector<std::string>& keyEquivalents() const { return keyEquivalents_; }
  void setKeyEquivalents(std::vector<std::string> keys) { keyEquivalents_ = std::move(keys); }

  // event: the touch phase; action: run at each of them, after earlier actions of that phase.
  void addTarget(ControlEvent event, Action action);
  // Runs the actions of event, as a touch on the widget or a script does.
  void sendActions(ControlEvent event);

 private:
  bool choice_ = false;
  std::optional<std::string> normalImage_;
  std::optional<std::string> highlightedImage_;
  bool selected_ = false;
  bool adjustsImageWhenHighlighted_ = true;
  std::vector<std::pair<ControlEvent, Action>> targets_;
  std::vector<std::string> keyEquivalents_;
};

}  // namespace kiro
