#include "screens/about/about_view.h"

#include <string>

#include "platform/platform.h"
#include "ui/asset_catalog.h"
#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/main_screen.h"
#include "screens/about/about_layout.h"
#include "screens/about/help_text.h"
#include "screens/timer/timer_chrome.h"

namespace kiro {

namespace {

constexpr Color kTitleGrey{68 / 255.0, 66 / 255.0, 68 / 255.0, 1};
constexpr Color kHelpGrey{176 / 255.0, 176 / 255.0, 176 / 255.0, 1};
const Font kHelpFont{"ArialMT", 12};

// Read afresh at each use, as the screen may change between two.
Size screenSize() { return mainScreen().bounds; }

// A missing or unreadable asset leaves a clear picture, so the text keeps its layout.
Picture assetPicture(const std::string& name) {
  auto loaded = assetCatalog().load(name);
  if (!loaded.ok()) {
    platform().log.line("Cannot load picture " + loaded.error().message);
    return Picture();
  }
  return std::move(loaded).value();
}

TextAttachment attachment(const std::string& name, const Size& size) {
  return {aboutView::scaleToSize(size, assetPicture(name))};
}

void setUpLabel(Label& label, double y, const Text& text, double fontSize) {
  label.setFrame(makeRect(0, y, screenSize().width - 1, 15));
  label.setText(text);
  label.setTextColor(Color::white());
  label.setFont({"ArialMT", fontSize});
  label.setTextAlignment(TextAlignment::center);
}

}  // namespace

void aboutView::viewDidLoad() {
  Screen::viewDidLoad();
  const ScreenKind kind = screenKind(mainScreen());

  auto background = std::make_shared<ImageView>("img_beijing22.png");
  background->setFrame(makeRect(0, 0, screenSize().width, screenSize().height));
  view()->addSubview(background);

  navigationItem().setTitle(Text("About"));
  navigationItem().setTitleTextAttributes({{"Arial-BoldMT", 18}, kTitleGrey});
  addBackButton();
  addWebButton();

  const double fontSize = aboutLabelFontSize(kind);
  helpTextView_->setName("helpTextView");
  helpTextView_->setFrame(makeRect(10, 129, screenSize().width - 20, screenSize().height - 64));
  helpTextView_->setBackgroundColor(std::nullopt);
  helpTextView_->setFont(kHelpFont);
  helpTextView_->setTextColor(kHelpGrey);
  helpTextView_->setLineFragmentPadding(0);
  helpTextView_->setTextContainerInset({});
  helpTextView_->setEditable(false);

  titleLabel_->setName("titleLabel");
  setUpLabel(*titleLabel_, 84, Text::verbatim("KIRO-Remoter"), fontSize);
  versionLabel_->setName("versionLabel");
  setUpLabel(*versionLabel_, 104, Text("Version %1", std::string("1.0.0")), fontSize);

  setUpHelpText(helpLineSpacing(kind));
  placeTextViews(kind == ScreenKind::small);
}

void aboutView::addBackButton() {
  auto back = std::make_shared<Button>();
  back->setAccessibilityLabel(Text("Back"));
  back->setFrame(makeRect(30, 0, 12, 22));
  back->setImage("后退.png", ControlState::normal);
  back->setKeyEquivalents({"Back"});
  back->addTarget(ControlEvent::touchUpInside, weakly<aboutView>(&aboutView::jump3));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});
}

// On the About screen, the app's own page, rather than beside the device list's refresh.
void aboutView::addWebButton() {
  auto web = textButton(makeRect(0, 0, 56, 26), Text("Web"), {"ArialMT", 14});
  web->setAccessibilityLabel(Text("Web remote"));
  web->setKeyEquivalents({"W"});
  web->addTarget(ControlEvent::touchUpInside, weakly<aboutView>(&aboutView::openWeb));
  navigationItem().setRightBarButtonItem(BarButtonItem{web});
}

void aboutView::setUpHelpText(double lineSpacing) {
  const ParagraphStyle paragraph{lineSpacing, LineBreakMode::byCharWrapping};
  helpTextView_->setAttributedText(AttributedString(helpText(), TextAttributes{kHelpFont, paragraph, kHelpGrey}));

  AttributedString text = helpTextView_->attributedText();
  text.insertAttachment(attachment("搜索蓝牙-关于.png", {20, 19}), kSearchPicturePosition);
  helpTextView_->setAttributedText(text);

  text.insertAttachment(attachment("logo说明.png", {78, 20}), kLogoPicturePosition);
  helpTextView_->setAttributedText(text);
}

void aboutView::placeTextViews(bool inScrollView) {
  const auto& root = view();
  if (!inScrollView) {
    root->addSubview(titleLabel_);
    root->addSubview(versionLabel_);
    root->addSubview(helpTextView_);
    return;
  }
  scrollView_ = std::make_shared<ScrollView>();
  scrollView_->setName("scrollView");
  scrollView_->setFrame(makeRect(0, 0, screenSize().width - 1, screenSize().height - 1));
  scrollView_->setContentSize({0, screenSize().height + 50});
  scrollView_->setDirectionalLockEnabled(true);
  scrollView_->setAlwaysBounceVertical(false);
  scrollView_->setBounces(true);
  scrollView_->setPagingEnabled(false);
  scrollView_->setScrollEnabled(true);
  scrollView_->setShowsHorizontalScrollIndicator(false);
  root->addSubview(scrollView_);
  scrollView_->addSubview(titleLabel_);
  scrollView_->addSubview(versionLabel_);
  scrollView_->addSubview(helpTextView_);
}

void aboutView::jump3() {
  if (auto navigation = navigation_.lock()) navigation->jump3(*this);
}

void aboutView::openWeb() {
  if (auto navigation = navigation_.lock()) navigation->openWeb(*this);
}

}  // namespace kiro
