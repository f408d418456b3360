#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "ui/geometry.h"
#include "ui/label.h"
#include "ui/picture.h"
#include "ui/screen.h"
#include "ui/scroll_view.h"
#include "ui/text_view.h"
#include "screens/about/about_navigation.h"

namespace kiro {

// The About screen: title, version and the help text with two pictures set into it.
// Everything is built once when its view loads; its only behaviour is its bar's buttons:
// back, and the web remote's screen.
// Create it with std::make_shared: its button's target holds it weakly.
class aboutView final : public Screen {
 public:
  aboutView() : Screen("about") {}

  // navigation: told when the back button is let go; nothing happens while unset.
  void setNavigation(std::weak_ptr<AboutNavigation> navigation) { navigation_ = std::move(navigation); }

  std::int32_t jumpFlag() const { return jumpFlag_; }

  const std::shared_ptr<Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<Label>& versionLabel() const { return versionLabel_; }
  const std::shared_ptr<TextView>& helpTextView() const { return helpTextView_; }
  // Holds the labels and the help text on a small screen; null on every other.
  const std::shared_ptr<ScrollView>& scrollView() const { return scrollView_; }

  // The back button's action: asks the shell to bring the remote screen back.
  void jump3();
  // The web remote button's action: asks the shell for the web remote's screen.
  void openWeb();

  // image drawn stretched to size (points) into a fresh bitmap, at scale 2 on a main
  // screen of scale exactly 2 and at scale 1 on every other.
  static Picture scaleToSize(const Size& size, const Picture& image);
  // image drawn stretched to size (points) into a fresh bitmap at scale 1.
  static Picture scaleToSize(const Picture& image, const Size& size);
  // A picture of image's size and scale with image drawn from the top-left corner at
  // scale times its size: clear beyond the drawing below 1, cut at the edges above 1.
  static Picture imageCompressWithSimple(const Picture& image, float scale);

 protected:
  void viewDidLoad() override;

 private:
  void addBackButton();
  void addWebButton();
  void setUpHelpText(double lineSpacing);
  void placeTextViews(bool inScrollView);

  std::int32_t jumpFlag_ = 0;
  std::shared_ptr<Label> titleLabel_ = std::make_shared<Label>();
  std::shared_ptr<Label> versionLabel_ = std::make_shared<Label>();
  std::shared_ptr<TextView> helpTextView_ = std::make_shared<TextView>();
  std::shared_ptr<ScrollView> scrollView_;
  std::weak_ptr<AboutNavigation> navigation_;
};

}  // namespace kiro
