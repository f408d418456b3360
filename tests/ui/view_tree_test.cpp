#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "ui/attributed_string.h"
#include "ui/label.h"
#include "ui/text_view.h"
#include "ui/view.h"
#include "tests/ui/picture_test_support.h"

namespace kiro {
namespace {

struct Change {
  const View* view;
  ViewProperty property;
  friend bool operator==(const Change&, const Change&) = default;
};

struct UiView : ::testing::Test {
  void record(View& root) {
    root.setObserver([this](View& view, ViewProperty property) { changes.push_back({&view, property}); });
  }
  std::vector<Change> changes;
};

// Equal text built apart counts as unchanged; a different picture in it does not.
TEST_F(UiView, ObserverOfARootHearsEachChangeBelowItOnceAndNoneForAnUnchangedValue) {
  auto root = std::make_shared<View>();
  auto text = std::make_shared<TextView>();
  root->addSubview(text);
  record(*root);
  auto label = std::make_shared<Label>();
  AttributedString withPicture("abc");
  withPicture.insertAttachment({test::solidPicture(2, 2, 1, test::kRed)}, 1);
  AttributedString withOtherPicture("abc");
  withOtherPicture.insertAttachment({test::solidPicture(2, 2, 1, test::kBlue)}, 1);
  const std::vector<std::pair<std::function<void()>, Change>> cases = {
      {[&] { root->setFrame(makeRect(0, 0, 320, 568)); }, {root.get(), ViewProperty::frame}},
      {[&] { root->addSubview(label); }, {root.get(), ViewProperty::subviews}},  // after the observer
      {[&] { label->setText(Text::verbatim("connected")); }, {label.get(), ViewProperty::text}},
      {[&] { text->setAttributedText(AttributedString("abc")); }, {text.get(), ViewProperty::attributedText}},
      {[&] { text->setAttributedText(withPicture); }, {text.get(), ViewProperty::attributedText}},
      {[&] { text->setAttributedText(withOtherPicture); }, {text.get(), ViewProperty::attributedText}},
  };
  for (const auto& [act, expected] : cases) {
    changes.clear();
    act();
    act();
    EXPECT_EQ(changes, std::vector<Change>{expected}) << static_cast<int>(expected.property);
  }
  changes.clear();
  root->setObserver(nullptr);
  label->setText(Text::verbatim("d"));
  EXPECT_TRUE(changes.empty());
}

TEST_F(UiView, AddSubviewRefusesWhatWouldBreakTheTreeAndTakesAViewWhoseSuperviewIsGone) {
  auto root = std::make_shared<View>();
  auto child = std::make_shared<View>();
  auto grandchild = std::make_shared<Label>();
  ASSERT_TRUE(root->addSubview(child));
  ASSERT_TRUE(child->addSubview(grandchild));
  EXPECT_FALSE(root->addSubview(nullptr));
  EXPECT_FALSE(root->addSubview(root));
  EXPECT_FALSE(grandchild->addSubview(root));  // an ancestor: a cycle
  EXPECT_FALSE(root->addSubview(grandchild));  // already has a superview
  EXPECT_EQ(root->subviews(), std::vector<std::shared_ptr<View>>{child});

  child.reset();
  root.reset();
  auto second = std::make_shared<View>();
  record(*second);
  EXPECT_TRUE(second->addSubview(grandchild));
  grandchild->setText(Text::verbatim("still here"));
  EXPECT_EQ(changes.back(), (Change{grandchild.get(), ViewProperty::text}));
}

}  // namespace
}  // namespace kiro
