#include "screens/timer/timer_chrome.h"

#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/main_screen.h"
#include "screens/palette.h"

namespace kiro {

void addBackground(View& view) {
  const Size screen = mainScreen().bounds;
  auto background = std::make_shared<ImageView>("bj.png");
  background->setFrame(makeRect(0, 0, screen.width, screen.height));
  view.addSubview(background);
}

std::shared_ptr<Button> backButton() {
  auto back = std::make_shared<Button>();
  back->setFrame(makeRect(30, 0, 12, 20));
  back->setImage("后退.png", ControlState::normal);
  back->setKeyEquivalents({"Back"});
  back->setAccessibilityLabel(Text("Back"));
  return back;
}

std::shared_ptr<Button> textButton(const Rect& frame, const Text& title, const Font& font) {
  auto button = std::make_shared<Button>();
  button->setFrame(frame);
  button->setBackgroundColor(kDarkGrey);
  button->setAccessibilityLabel(title);
  auto label = std::make_shared<Label>();
  label->setFrame(makeRect(0, 0, frame.size.width, frame.size.height));
  label->setText(title);
  label->setFont(font);
  label->setTextColor(Color::white());
  label->setTextAlignment(TextAlignment::center);
  button->addSubview(label);
  return button;
}

}  // namespace kiro
