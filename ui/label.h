#pragma once

#include <string>

#include "base/text.h"
#include "ui/color.h"
#include "ui/font.h"
#include "ui/view.h"

namespace kiro {

enum class TextAlignment { left, center, right };

// A line of text, or as many as its height holds when it wraps.
class Label : public View {
 public:
  // The text in English, as the model, the events and the log read it.
  const std::string& text() const { return text_.english(); }
  // The same, as the window shows it.
  const Text& words() const { return text_; }
  void setText(const Text& text) { update(text_, text, ViewProperty::text); }

  const Font& font() const { return font_; }
  void setFont(const Font& font) { update(font_, font, ViewProperty::font); }

  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color) { update(textColor_, color, ViewProperty::textColor); }

  TextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(TextAlignment alignment) { update(textAlignment_, alignment, ViewProperty::textAlignment); }

  // Whether a text too long for one line goes on at word ends on the next.
  bool wraps() const { return wraps_; }
  void setWraps(bool wraps) { update(wraps_, wraps, ViewProperty::textAlignment); }

 private:
  Text text_;
  Font font_;
  Color textColor_{0, 0, 0, 1};
  TextAlignment textAlignment_ = TextAlignment::left;
  bool wraps_ = false;
};

}  // namespace kiro
