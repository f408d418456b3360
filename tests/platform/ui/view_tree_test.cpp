#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/attributed_string.h"
#include "platform/ui/button.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/text_view.h"
#include "platform/ui/view.h"
#include "tests/platform/ui/picture_test_support.h"

namespace kiro {
namespace {

struct Change {
  const View* view;
  ViewProperty property;
  friend bool operator==(const Change&, const Change&) = default;
};

void recordInto(std::vector<Change>& changes, View& root) {
  root.setObserver([&changes](View& view, ViewProperty property) { changes.push_back({&view, property}); });
}

TEST(UiView, ObserverIsToldOfEachChangeAndOfNoneForAnUnchangedValue) {
  auto root = std::make_shared<View>();
  auto image = std::make_shared<ImageView>("灰色.png");
  auto label = std::make_shared<Label>();
  auto button = std::make_shared<Button>();
  auto text = std::make_shared<TextView>();
  root->addSubview(image);
  root->addSubview(label);
  root->addSubview(button);
  root->addSubview(text);
  const TextAttributes help{{"ArialMT", 12}, {5, LineBreakMode::byCharWrapping}, {0.5, 0.5, 0.5, 1}};
  AttributedString withPicture("abc", help);
  withPicture.insertAttachment({test::solidPicture(2, 2, 1, test::kRed)}, 1);
  AttributedString withOtherPicture("abc", help);
  withOtherPicture.insertAttachment({test::solidPicture(2, 2, 1, test::kBlue)}, 1);
  std::vector<Change> changes;
  recordInto(changes, *root);

  const std::vector<std::pair<std::function<void()>, Change>> cases = {
      {[&] { root->setFrame(makeRect(0, 0, 320, 568)); }, {root.get(), ViewProperty::frame}},
      {[&] { root->setHidden(true); }, {root.get(), ViewProperty::hidden}},
      {[&] { root->setBackgroundColor(Color::white()); }, {root.get(), ViewProperty::backgroundColor}},
      {[&] { image->setImage("绿.png"); }, {image.get(), ViewProperty::image}},
      {[&] { label->setText("connected"); }, {label.get(), ViewProperty::text}},
      {[&] { label->setFont({"Arial-BoldMT", 18}); }, {label.get(), ViewProperty::font}},
      {[&] { label->setTextColor({1, 0, 0, 1}); }, {label.get(), ViewProperty::textColor}},
      {[&] { label->setTextAlignment(TextAlignment::center); }, {label.get(), ViewProperty::textAlignment}},
      {[&] { button->setImage("对焦.png", ControlState::highlighted); }, {button.get(), ViewProperty::image}},
      {[&] { button->setSelected(true); }, {button.get(), ViewProperty::selected}},
      {[&] { button->setAdjustsImageWhenHighlighted(false); },
       {button.get(), ViewProperty::adjustsImageWhenHighlighted}},
      // Equal text built apart counts as unchanged; a different picture does not.
      {[&] { text->setAttributedText(AttributedString("abc", help)); }, {text.get(), ViewProperty::attributedText}},
      {[&] { text->setAttributedText(withPicture); }, {text.get(), ViewProperty::attributedText}},
      {[&] { text->setAttributedText(withOtherPicture); }, {text.get(), ViewProperty::attributedText}},
      {[&] { text->setFont({"ArialMT", 12}); }, {text.get(), ViewProperty::font}},
      {[&] { text->setTextColor({0.5, 0.5, 0.5, 1}); }, {text.get(), ViewProperty::textColor}},
      {[&] { text->setTextContainerInset({}); }, {text.get(), ViewProperty::textContainer}},
      {[&] { text->setLineFragmentPadding(0); }, {text.get(), ViewProperty::textContainer}},
      {[&] { text->setEditable(false); }, {text.get(), ViewProperty::editable}},
  };
  for (const auto& [act, expected] : cases) {
    changes.clear();
    act();
    EXPECT_EQ(changes, std::vector<Change>{expected}) << "first change " << static_cast<int>(expected.property);
    changes.clear();
    act();
    EXPECT_TRUE(changes.empty()) << "repeat of " << static_cast<int>(expected.property);
  }
}

TEST(UiView, ObserverOfARootReachesViewsBelowItWhetherAddedBeforeOrAfter) {
  auto root = std::make_shared<View>();
  auto before = std::make_shared<View>();
  auto deep = std::make_shared<Label>();
  before->addSubview(deep);
  root->addSubview(before);
  std::vector<Change> changes;
  recordInto(changes, *root);

  auto after = std::make_shared<ImageView>();
  auto afterChild = std::make_shared<Label>();
  after->addSubview(afterChild);
  root->addSubview(after);
  deep->setText("a");
  afterChild->setText("b");
  EXPECT_EQ(changes, (std::vector<Change>{{root.get(), ViewProperty::subviews},
                                          {deep.get(), ViewProperty::text},
                                          {afterChild.get(), ViewProperty::text}}));

  changes.clear();
  root->setObserver(nullptr);
  deep->setText("c");
  afterChild->setText("d");
  EXPECT_TRUE(changes.empty());
}

TEST(UiView, AddSubviewRefusesWhatWouldBreakTheTree) {
  auto root = std::make_shared<View>();
  auto child = std::make_shared<View>();
  auto grandchild = std::make_shared<View>();
  ASSERT_TRUE(root->addSubview(child));
  ASSERT_TRUE(child->addSubview(grandchild));

  EXPECT_FALSE(root->addSubview(nullptr));
  EXPECT_FALSE(root->addSubview(root));
  EXPECT_FALSE(grandchild->addSubview(root));  // an ancestor: a cycle
  EXPECT_FALSE(root->addSubview(grandchild));  // already has a superview
  EXPECT_EQ(root->subviews(), std::vector<std::shared_ptr<View>>{child});
  EXPECT_EQ(child->subviews(), std::vector<std::shared_ptr<View>>{grandchild});
  EXPECT_TRUE(grandchild->subviews().empty());
}

TEST(UiView, AViewThatOutlivesItsSuperviewCanJoinAnotherTree) {
  auto survivor = std::make_shared<Label>();
  {
    auto first = std::make_shared<View>();
    ASSERT_TRUE(first->addSubview(survivor));
  }
  auto second = std::make_shared<View>();
  std::vector<Change> changes;
  recordInto(changes, *second);
  EXPECT_TRUE(second->addSubview(survivor));
  survivor->setText("still here");
  EXPECT_EQ(changes.back(), (Change{survivor.get(), ViewProperty::text}));
}

}  // namespace
}  // namespace kiro
