#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "ui/color.h"
#include "ui/geometry.h"

namespace kiro {

// What changed on a view, so a renderer updates only that.
enum class ViewProperty {
  frame,
  hidden,
  backgroundColor,
  subviews,
  image,  // an image view's picture, or a button's picture for any state
  selected,
  adjustsImageWhenHighlighted,
  text,
  font,
  textColor,
  textAlignment,
  attributedText,
  textContainer,  // a text view's container inset or line-fragment padding
  editable,
  contentSize,
  scrolling,  // any of a scroll view's scrolling flags
  animation,  // an image view's frames, pass duration, repeat count or running flag
  rowHeight,
  separatorStyle,
  rows,  // a table reloaded its rows: their count and cells are read afresh
  selectionStyle,
  accessibility,  // what a screen reader is told of the view
};

class View;

// Told of each change to a view after it is made.
using ViewObserver = std::function<void(View& view, ViewProperty property)>;

// A rectangle on screen that holds other views. Screens build trees of these; a renderer
// draws them and follows their changes.
class View {
 public:
  View() = default;
  explicit View(const Rect& frame) : frame_(frame) {}
  virtual ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // In the superview's coordinates.
  const Rect& frame() const { return frame_; }
  void setFrame(const Rect& frame) { update(frame_, frame, ViewProperty::frame); }

  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) { update(hidden_, hidden, ViewProperty::hidden); }

  // nullopt: clear, the views behind show through.
  const std::optional<Color>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(const std::optional<Color>& color) {
    update(backgroundColor_, color, ViewProperty::backgroundColor);
  }

  // Names the view in layout dumps, usually after the field that holds it.
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }

  // What a screen reader calls the view, in English; empty for a view it passes over, such
  // as a background, or one that speaks for itself, such as a label.
  const std::string& accessibilityLabel() const { return accessibilityLabel_.english(); }
  // The same, as the window says it.
  const Text& accessibilityWords() const { return accessibilityLabel_; }
  void setAccessibilityLabel(const Text& label) { update(accessibilityLabel_, label, ViewProperty::accessibility); }
  // Whether a view that is on or off, such as a lamp, is on; nullopt for any other view.
  std::optional<bool> accessibilityOn() const { return accessibilityOn_; }
  void setAccessibilityOn(std::optional<bool> on) { update(accessibilityOn_, on, ViewProperty::accessibility); }

  // Back to front.
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }

  // view: placed in front of the others. Refused, returning false: null, a view that
  // already has a superview, and this view or one of its ancestors (a cycle).
  bool addSubview(std::shared_ptr<View> view);

  // observer: told of changes to this view and to every view below it, now and added
  // later; an empty function stops the telling.
  void setObserver(ViewObserver observer);

 protected:
  void changed(ViewProperty property);

  // Stores value and tells the observer, unless the field already holds it.
  template <typename T, typename U>
  void update(T& field, U&& value, ViewProperty property) {
    if (field == value) return;
    field = std::forward<U>(value);
    changed(property);
  }

 private:
  void shareObserver(const std::shared_ptr<const ViewObserver>& observer);

  Rect frame_;
  bool hidden_ = false;
  std::optional<Color> backgroundColor_;
  std::string name_;
  Text accessibilityLabel_;
  std::optional<bool> accessibilityOn_;
  std::vector<std::shared_ptr<View>> subviews_;
  View* superview_ = nullptr;  // cleared by the superview's destructor
  std::shared_ptr<const ViewObserver> observer_;
};

}  // namespace kiro
