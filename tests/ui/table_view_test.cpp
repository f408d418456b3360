#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
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
    if (!giveCells) return nullptr;
    return std::make_shared<TableViewCell>("row" + std::to_string(indexPath.row));
  }
  void didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) override { taps.push_back(indexPath); }
};

struct Table {
  std::shared_ptr<CountingSource> source = std::make_shared<CountingSource>();
  TableView view;
  int reloads = 0;

  Table() {
    view.setDataSource(source);
    view.setDelegate(source);
    view.setObserver([this](View&, ViewProperty property) { reloads += property == ViewProperty::rows; });
  }
};

TEST(UiTable, RowsAreCountedAtEachReloadAndEachCellIsBuiltOnceUntilTheNext) {
  Table table;
  table.source->rows = 3;
  EXPECT_EQ(table.view.numberOfRows(), 0);
  EXPECT_EQ(table.view.cellForRow(0), nullptr);
  EXPECT_EQ(table.source->cellsBuilt, 0);

  table.view.reloadData();
  EXPECT_EQ(table.reloads, 1);
  EXPECT_EQ(table.view.numberOfRows(), 3);
  const auto first = table.view.cellForRow(2);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->reuseIdentifier(), "row2");
  EXPECT_EQ(table.view.cellForRow(2), first);
  EXPECT_EQ(table.source->cellsBuilt, 1);

  // Rows the last reload did not count are not asked for, though the source has more now.
  table.source->rows = 5;
  EXPECT_EQ(table.view.cellForRow(3), nullptr);
  EXPECT_EQ(table.view.cellForRow(-1), nullptr);
  EXPECT_EQ(table.source->cellsBuilt, 1);

  table.view.reloadData();
  EXPECT_EQ(table.view.numberOfRows(), 5);
  const auto rebuilt = table.view.cellForRow(2);
  EXPECT_NE(rebuilt, first);
  EXPECT_EQ(table.source->cellsBuilt, 2);
}

TEST(UiTable, CellsLieAtTheirRowAcrossTheWholeTable) {
  Table table;
  table.view.setFrame(makeRect(0, 116, 375, 551));
  table.view.setRowHeight(52);
  table.source->rows = 4;
  table.view.reloadData();

  const auto cell = table.view.cellForRow(3);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->frame(), makeRect(0, 156, 375, 52));
  EXPECT_EQ(cell->contentView()->frame(), makeRect(0, 0, 375, 52));
  ASSERT_EQ(cell->subviews().size(), 1u);
  EXPECT_EQ(cell->subviews().front(), cell->contentView());
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
