#pragma once

#include "ui/attributed_string.h"
#include "ui/color.h"
#include "ui/font.h"
#include "ui/view.h"

namespace kiro {

// Space kept clear inside a view's edges, in points.
struct EdgeInsets {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// Text of many lines, wrapped to the view's width; what does not fit scrolls inside it.
class TextView : public View {
 public:
  // Characters without attributes of their own are drawn in font() and textColor().
  const AttributedString& attributedText() const { return attributedText_; }
  void setAttributedText(const AttributedString& text) { update(attributedText_, text, ViewProperty::attributedText); }

  const Font& font() const { return font_; }
  void setFont(const Font& font) { update(font_, font, ViewProperty::font); }

  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color) { update(textColor_, color, ViewProperty::textColor); }

  // Between the view's edges and its text container.
  const EdgeInsets& textContainerInset() const { return textContainerInset_; }
  void setTextContainerInset(const EdgeInsets& inset) {
    update(textContainerInset_, inset, ViewProperty::textContainer);
  }
  // Kept clear at both ends of each line, inside the container.
  double lineFragmentPadding() const { return lineFragmentPadding_; }
  void setLineFragmentPadding(double padding) { update(lineFragmentPadding_, padding, ViewProperty::textContainer); }

  bool isEditable() const { return editable_; }
  void setEditable(bool editable) { update(editable_, editable, ViewProperty::editable); }

 private:
  AttributedString attributedText_;
  Font font_{"", 12};
  Color textColor_{0, 0, 0, 1};
  EdgeInsets textContainerInset_{8, 0, 8, 0};
  double lineFragmentPadding_ = 5;
  bool editable_ = true;
};

}  // namespace kiro
