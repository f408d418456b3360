#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ui/asset_catalog.h"
#include "ui/main_screen.h"
#include "screens/about/about_view.h"
#include "screens/about/help_text.h"
#include "tests/ui/picture_test_support.h"
#include "tests/support/logged_platform.h"

namespace kiro {
namespace {

// The About screen loaded on display, reading its pictures from assets.
struct LoadedAbout {
  explicit LoadedAbout(const MainScreen& display, const std::filesystem::path& assets = test::assetDirectory())
      : display(display), catalog(assets) {
    about->loadViewIfNeeded();
  }

  const AttributedString& text() const { return about->helpTextView()->attributedText(); }

  test::LoggedPlatform platform;
  MainScreen display;
  MainScreenScope displayScope{display};
  AssetCatalog catalog;
  AssetCatalogScope catalogScope{catalog};
  std::shared_ptr<aboutView> about = std::make_shared<aboutView>();
};

// A picture that cannot be read leaves clear space of its size and a log line naming it.
TEST(AboutScreen, ShowsTitleVersionAndTheHelpTextWithBothPicturesWhereItsLinesSay) {
  for (const bool shipped : {true, false}) {
    SCOPED_TRACE(shipped ? "shipped pictures" : "no pictures");
    const LoadedAbout screen({{375, 667}, 2}, shipped ? test::assetDirectory() : test::freshDirectory("no_assets"));
    EXPECT_EQ(screen.about->titleLabel()->text(), "KIRO-Remoter");
    EXPECT_EQ(screen.about->titleLabel()->frame(), makeRect(0, 84, 374, 15));
    EXPECT_EQ(screen.about->versionLabel()->text(), "Version 1.0.0");
    EXPECT_EQ(screen.about->versionLabel()->frame(), makeRect(0, 104, 374, 15));
    std::vector<std::string> lines;
    std::istringstream in(screen.text().string());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[6], "1.Click \uFFFC  button to search your KIRO.");
    EXPECT_EQ(lines[12], "\uFFFC ");
    const auto& log = screen.platform.log.lines;
    EXPECT_EQ(log.size(), shipped ? 0u : 2u);
    for (const auto& [position, size, name] : {std::tuple{kSearchPicturePosition, Size{20, 19}, "搜索蓝牙-关于.png"},
                                               {kLogoPicturePosition, Size{78, 20}, "logo说明.png"}}) {
      const TextAttachment* picture = screen.text().attachmentAt(position);
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->image.size(), size);
      const Picture& image = picture->image;
      EXPECT_EQ(test::allPixels(image, 0, 0, image.pixelWidth(), image.pixelHeight(), test::kClear), !shipped);
      const auto named = [&](const std::string& line) { return line.find('"' + std::string(name) + '"') != line.npos; };
      EXPECT_EQ(std::any_of(log.begin(), log.end(), named), !shipped) << name;
    }
  }
}

TEST(AboutScreen, ScreenKindsSetTypeSizeLineSpacingPictureScaleAndTheScrollView) {
  const struct {
    const char* kind;
    MainScreen screen;
    double fontSize;
    double lineSpacing;
    bool scrolls;
    double pictureScale;  // 2 only on a display of scale 2
  } cases[] = {
      {"large", {{414, 736}, 3}, 16, 10, false, 1},
      {"medium", {{375, 667}, 2}, 14, 5, false, 2},
      {"small", {{320, 480}, 2}, 14, 0, true, 2},
      {"small bounds, no display mode", {{320, 480}, 1.5, std::nullopt}, 14, 0, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const LoadedAbout screen(c.screen);
    const aboutView& about = *screen.about;
    EXPECT_EQ(about.versionLabel()->font(), (Font{"ArialMT", c.fontSize}));
    const Color grey{176 / 255.0, 176 / 255.0, 176 / 255.0, 1};
    ASSERT_NE(screen.text().attributesAt(0), nullptr);
    EXPECT_EQ(*screen.text().attributesAt(0),
              (TextAttributes{{"ArialMT", 12}, {c.lineSpacing, LineBreakMode::byCharWrapping}, grey}));
    EXPECT_EQ(screen.text().attachmentAt(kSearchPicturePosition)->image.scale(), c.pictureScale);

    ASSERT_EQ(about.scrollView() != nullptr, c.scrolls);
    EXPECT_EQ(screen.about->view()->subviews().size(), c.scrolls ? 2u : 4u);  // the background first
    const View& holder = c.scrolls ? *about.scrollView() : *screen.about->view();
    const std::vector<std::shared_ptr<View>> texts = {about.titleLabel(), about.versionLabel(), about.helpTextView()};
    EXPECT_EQ(std::vector(holder.subviews().end() - 3, holder.subviews().end()), texts);
    if (!c.scrolls) continue;
    EXPECT_EQ(screen.about->view()->subviews().back(), about.scrollView());
    EXPECT_EQ(about.scrollView()->frame(), makeRect(0, 0, 319, 479));
    EXPECT_EQ(about.scrollView()->contentSize(), (Size{0, 530}));
  }
}

}  // namespace
}  // namespace kiro
