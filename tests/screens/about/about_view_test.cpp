#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/asset_catalog.h"
#include "platform/ui/button.h"
#include "platform/ui/image_view.h"
#include "platform/ui/main_screen.h"
#include "screens/about/about_view.h"
#include "screens/about/help_text.h"
#include "tests/support/logged_platform.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

constexpr Color kGrey{176 / 255.0, 176 / 255.0, 176 / 255.0, 1};

// The About screen reads pictures from the catalog and logs what it cannot read.
struct AboutFixture {
  explicit AboutFixture(const MainScreen& screen, std::filesystem::path assets = test::assetDirectory())
      : screen(screen), assets(std::move(assets)) {}

  std::shared_ptr<aboutView> load() {
    auto about = std::make_shared<aboutView>();
    about->loadViewIfNeeded();
    return about;
  }

  test::LoggedPlatform platform;
  MainScreen screen;
  MainScreenScope display{screen};
  AssetCatalog assets;
  AssetCatalogScope catalog{assets};
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

bool contains(const View& parent, const std::shared_ptr<View>& child) {
  for (const auto& subview : parent.subviews())
    if (subview == child) return true;
  return false;
}

TEST(AboutHelpText, HasFifteenLinesWithBothPicturesWhereTheLinesSayTheyGo) {
  AboutFixture fixture(MainScreen{{375, 667}, 2});
  const auto about = fixture.load();
  const AttributedString& text = about->helpTextView()->attributedText();

  EXPECT_EQ(text.length(), AttributedString(helpText()).length() + 2);
  const auto shown = lines(text.string());
  ASSERT_EQ(shown.size(), 15u);
  EXPECT_EQ(shown[0], "Thank you for using the KIRO-Remoter APP");
  EXPECT_TRUE(shown[2].ends_with("on the camera.  "));
  EXPECT_EQ(shown[6], "1.Click \uFFFC  button to search your KIRO.");
  EXPECT_EQ(shown[8], "3.To back to main menu, click ' < '.");
  EXPECT_EQ(shown[12], "\uFFFC ");
  for (std::size_t i : {1u, 3u, 11u, 13u}) EXPECT_EQ(shown[i], "") << "line " << i + 1;
  EXPECT_NE(shown[14].find("Copyright"), std::string::npos);

  struct Inserted {
    std::size_t position;
    Size size;
  };
  for (const auto& [position, size] : {Inserted{kSearchPicturePosition, {20, 19}}, Inserted{kLogoPicturePosition, {78, 20}}}) {
    SCOPED_TRACE(position);
    ASSERT_NE(text.attachmentAt(position), nullptr);
    EXPECT_EQ(text.attachmentAt(position)->image.size(), size);
    EXPECT_EQ(text.attributesAt(position), nullptr);
  }
  // At the assets' own scale the stretch is exact.
  EXPECT_EQ(text.attachmentAt(kSearchPicturePosition)->image,
            AssetCatalog(test::assetDirectory()).load("搜索蓝牙-关于.png").picture);
  const Picture& logo = text.attachmentAt(kLogoPicturePosition)->image;
  EXPECT_FALSE(test::allPixels(logo, 0, 0, logo.pixelWidth(), logo.pixelHeight(), test::kClear));
  for (std::size_t i = 0; i < text.length(); ++i) {
    if (i == kSearchPicturePosition || i == kLogoPicturePosition) continue;
    ASSERT_NE(text.attributesAt(i), nullptr) << i;
    EXPECT_EQ(text.attributesAt(i)->font, (Font{"ArialMT", 12}));
    EXPECT_EQ(text.attributesAt(i)->foregroundColor, kGrey);
    EXPECT_EQ(text.attributesAt(i)->paragraphStyle.lineBreakMode, LineBreakMode::byCharWrapping);
  }
}

TEST(AboutScreen, ScreenKindsSetTypeSizeLineSpacingAndTheScrollView) {
  struct Case {
    const char* kind;
    MainScreen screen;
    double fontSize;
    double lineSpacing;
    bool scrolls;
  };
  const Case cases[] = {
      {"large", {{414, 736}, 3}, 16, 10, false},
      {"medium", {{375, 667}, 2}, 14, 5, false},
      {"small", {{320, 480}, 2}, 14, 0, true},
      {"640 x 1136", {{320, 568}, 2}, 14, 0, false},
      {"1125 x 2436", {{375, 812}, 3}, 14, 0, false},
      {"small bounds, no display mode", {{320, 480}, 2, std::nullopt}, 14, 0, false},
      {"large bounds, other mode", {{414, 736}, 3, Size{1080, 1920}}, 14, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    AboutFixture fixture(c.screen);
    const auto about = fixture.load();
    const double width = c.screen.bounds.width;
    const double height = c.screen.bounds.height;

    EXPECT_EQ(about->titleLabel()->font(), (Font{"ArialMT", c.fontSize}));
    EXPECT_EQ(about->versionLabel()->font(), (Font{"ArialMT", c.fontSize}));
    ASSERT_NE(about->helpTextView()->attributedText().attributesAt(0), nullptr);
    EXPECT_EQ(about->helpTextView()->attributedText().attributesAt(0)->paragraphStyle.lineSpacing, c.lineSpacing);

    const std::vector<std::shared_ptr<View>> texts = {about->titleLabel(), about->versionLabel(),
                                                      about->helpTextView()};
    const auto& root = *about->view();
    ASSERT_EQ(about->scrollView() != nullptr, c.scrolls);
    const View& holder = c.scrolls ? static_cast<const View&>(*about->scrollView()) : root;
    ASSERT_EQ(holder.subviews().size(), c.scrolls ? 3u : 4u);
    EXPECT_TRUE(std::equal(texts.begin(), texts.end(), holder.subviews().end() - 3)) << "in that order";
    if (!c.scrolls) continue;
    const ScrollView& scroll = *about->scrollView();
    EXPECT_TRUE(contains(root, about->scrollView()));
    EXPECT_EQ(scroll.frame(), makeRect(0, 0, width - 1, height - 1));
    EXPECT_EQ(scroll.contentSize(), (Size{0, height + 50}));
  }
}

TEST(AboutScreen, PlacesEveryViewByTheScreenBoundsWithItsLooks) {
  AboutFixture fixture(MainScreen{{375, 667}, 2});
  const auto about = fixture.load();
  const auto& root = *about->view();

  const auto background = std::dynamic_pointer_cast<ImageView>(root.subviews().front());
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->image(), "img_beijing22.png");
  EXPECT_EQ(background->frame(), makeRect(0, 0, 375, 667));

  EXPECT_EQ(about->navigationItem().title(), "About");
  EXPECT_EQ(about->navigationItem().titleTextAttributes(),
            (TitleTextAttributes{{"Arial-BoldMT", 18}, {68 / 255.0, 66 / 255.0, 68 / 255.0, 1}}));
  ASSERT_TRUE(about->navigationItem().leftBarButtonItem().has_value());
  const auto back = std::dynamic_pointer_cast<Button>(about->navigationItem().leftBarButtonItem()->customView);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->frame(), makeRect(30, 0, 12, 22));
  EXPECT_EQ(back->image(ControlState::normal), "后退.png");

  struct LabelCase {
    const Label& label;
    double y;
    const char* text;
  };
  for (const auto& c : {LabelCase{*about->titleLabel(), 84, "KIRO-Remoter"},
                        LabelCase{*about->versionLabel(), 104, "Version 1.0.0"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.label.frame(), makeRect(0, c.y, 374, 15));
    EXPECT_EQ(c.label.text(), c.text);
    EXPECT_EQ(c.label.textColor(), Color::white());
    EXPECT_EQ(c.label.textAlignment(), TextAlignment::center);
  }

  const TextView& help = *about->helpTextView();
  EXPECT_EQ(help.frame(), makeRect(10, 129, 355, 603));
  EXPECT_EQ(help.backgroundColor(), std::nullopt);
  EXPECT_EQ(help.font(), (Font{"ArialMT", 12}));
  EXPECT_EQ(help.textColor(), kGrey);
  EXPECT_EQ(help.textContainerInset(), EdgeInsets{});
  EXPECT_EQ(help.lineFragmentPadding(), 0);
  EXPECT_FALSE(help.isEditable());
  EXPECT_TRUE(fixture.platform.log.lines.empty());
}

TEST(AboutScreen, MissingPicturesLeaveClearSpaceInTheTextAndALogLineEach) {
  AboutFixture fixture(MainScreen{{375, 667}, 2}, test::freshDirectory("about_no_assets"));
  const auto about = fixture.load();
  const AttributedString& text = about->helpTextView()->attributedText();
  EXPECT_EQ(text.length(), AttributedString(helpText()).length() + 2);
  for (std::size_t position : {kSearchPicturePosition, kLogoPicturePosition}) {
    ASSERT_NE(text.attachmentAt(position), nullptr);
    const Picture& picture = text.attachmentAt(position)->image;
    EXPECT_TRUE(test::allPixels(picture, 0, 0, picture.pixelWidth(), picture.pixelHeight(), test::kClear));
  }
  EXPECT_EQ(text.attachmentAt(kSearchPicturePosition)->image.size(), (Size{20, 19}));
  ASSERT_EQ(fixture.platform.log.lines.size(), 2u);
  EXPECT_NE(fixture.platform.log.lines[0].find("\"搜索蓝牙-关于.png\""), std::string::npos) << fixture.platform.log.lines[0];
  EXPECT_NE(fixture.platform.log.lines[1].find("\"logo说明.png\""), std::string::npos) << fixture.platform.log.lines[1];
}

class RecordingNavigation final : public AboutNavigation {
 public:
  void jump3(aboutView& from) override { calls.push_back(&from); }
  std::vector<aboutView*> calls;
};

TEST(AboutScreen, TheBackButtonAsksTheShellWhileBothExist) {
  AboutFixture fixture(MainScreen{{375, 667}, 2});
  auto about = fixture.load();
  const auto back = std::dynamic_pointer_cast<Button>(about->navigationItem().leftBarButtonItem()->customView);
  ASSERT_NE(back, nullptr);

  back->sendActions(ControlEvent::touchUpInside);  // no shell yet: nothing happens

  auto navigation = std::make_shared<RecordingNavigation>();
  about->setNavigation(navigation);
  back->sendActions(ControlEvent::touchDown);
  back->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(navigation->calls, std::vector<aboutView*>{about.get()});

  about.reset();  // the bar item outlives its screen
  back->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(navigation->calls.size(), 1u);
}

}  // namespace
}  // namespace kiro
