#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/table_view.h"

namespace kiro {
namespace {

// Gives a set number of rows and counts what it is asked for.
class CountingSource final : public TableViewDataSource, public TableViewDelegate {
 public:
  std::int64_t rows = 0;
  bool giveCells = true;
  int cellsBuilt = 0;
  std::vector<IndexPath> taps;

  std::int64_t numberOfRowsInSection(TableView&, std::int64_t) override { return rows; }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, const IndexPath& indexPath) override {
    ++cellsBuilt;
    return giveCells ? std::make_shared<TableViewCell>("row" + std::to_string(indexPath.row)) : nullptr;
  }
  void didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) override { taps.push_back(indexPath); }
};

struct Table {
  std::shared_ptr<CountingSource> source = std::make_shared<CountingSource>();
  TableView view;

  Table() {
    view.setDataSource(source);
    view.setDelegate(source);
  }
};

TEST(UiTable, RowsAreCountedAtEachReloadAndEachCellIsBuiltOnceAtItsRowUntilTheNext) {
  Table table;
  int reloads = 0;
  table.view.setObserver([&reloads](View&, ViewProperty property) { reloads += property == ViewProperty::rows; });
  table.view.setFrame(makeRect(0, 116, 375, 551));
  table.view.setRowHeight(52);
  table.source->rows = 4;
  EXPECT_EQ(table.view.cellForRow(0), nullptr);

  table.view.reloadData();
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(table.view.numberOfRows(), 4);
  const auto first = table.view.cellForRow(3);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->reuseIdentifier(), "row3");
  EXPECT_EQ(first->frame(), makeRect(0, 156, 375, 52));
  EXPECT_EQ(first->contentView()->frame(), makeRect(0, 0, 375, 52));
  EXPECT_EQ(table.view.cellForRow(3), first);

  // Rows the last reload did not count are not asked for, though the source has more now.
  table.source->rows = 6;
  EXPECT_EQ(table.view.cellForRow(4), nullptr);
  EXPECT_EQ(table.view.cellForRow(-1), nullptr);
  EXPECT_EQ(table.source->cellsBuilt, 1);

  table.view.reloadData();
  EXPECT_EQ(table.view.numberOfRows(), 6);
  EXPECT_NE(table.view.cellForRow(3), first);
}

TEST(UiTable, ATapReachesTheDelegateOnlyOnARowOfTheTable) {
  Table table;
  table.source->rows = 2;
  table.view.reloadData();
  for (std::int64_t row : {-1, 0, 1, 2, 7}) table.view.selectRow(row);
  EXPECT_EQ(table.source->taps, (std::vector<IndexPath>{{0, 0}, {1, 0}}));
}

TEST(UiTable, WithoutASourceOrACellRowsStayBlankAndNothingBreaks) {
  Table table;
  table.source->rows = -4;
  table.view.reloadData();
  EXPECT_EQ(table.view.numberOfRows(), 0);

  table.source->rows = 2;
  table.source->giveCells = false;
  table.view.reloadData();
  EXPECT_EQ(table.view.cellForRow(0), nullptr);

  table.source.reset();
  table.view.selectRow(1);
  EXPECT_EQ(table.view.cellForRow(1), nullptr);
  table.view.reloadData();
  EXPECT_EQ(table.view.numberOfRows(), 0);
}

}  // namespace
}  // namespace kiro
