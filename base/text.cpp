#include "base/text.h"

#include <ostream>

namespace kiro {

Text Text::verbatim(std::string value) {
  Text text;
  text.english_ = std::move(value);
  return text;
}

std::string Text::filled() const {
  std::string out;
  for (std::size_t i = 0; i < id_.size(); ++i) {
    const char next = i + 1 < id_.size() ? id_[i + 1] : '\0';
    const auto number = static_cast<std::size_t>(next - '0');
    if (id_[i] == '%' && next >= '1' && next <= '9' && number <= parts_.size()) {
      out += parts_[number - 1].english();
      ++i;
    } else {
      out += id_[i];
    }
  }
  return out;
}

std::ostream& operator<<(std::ostream& out, const Text& text) { return out << text.english(); }

}  // namespace kiro
