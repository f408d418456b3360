#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/table_view.h"

namespace kiro {
namespace {

// Gives a set number of rows and counts what it is asked for.
class CountingSource final : public TableViewDataSource, public TableViewDelegate {
 public:
  std::int64_t rows = 0;
  int cellsBuilt = 0;
  std::vector<std::int64_t> taps;

  std::int64_t numberOfRowsInSection(TableView&, std::int64_t) override { return rows; }
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView&, const IndexPath& indexPath) override {
    ++cellsBuilt;
    return std::make_shared<TableViewCell>("row" + std::to_string(indexPath.row));
  }
  void didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) override { taps.push_back(indexPath.row); }
};

// The row count is read at each reload, and each cell is built once, when first asked for,
// until the next or until the table's width changes.
TEST(UiTable, CellsAreBuiltOnceAtTheirRowsOfTheLastReloadAndOnlyTheseRowsTakeTaps) {
  auto source = std::make_shared<CountingSource>();
  TableView table;
  table.setDataSource(source);
  table.setDelegate(source);
  int reloads = 0;  // the renderer reads the rows afresh when told
  table.setObserver([&reloads](View&, ViewProperty property) { reloads += property == ViewProperty::rows; });
  table.setFrame(makeRect(0, 116, 375, 551));
  table.setRowHeight(52);
  source->rows = 4;
  table.reloadData();
  const auto first = table.cellForRow(3);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->frame(), makeRect(0, 156, 375, 52));
  EXPECT_EQ(first->contentView()->frame(), makeRect(0, 0, 375, 52));
  // The window draws a cell's content through the cell's own subviews.
  EXPECT_EQ(first->subviews(), std::vector<std::shared_ptr<View>>{first->contentView()});
  EXPECT_EQ(table.cellForRow(3), first);
  source->rows = 6;
  EXPECT_EQ(table.cellForRow(4), nullptr);
  EXPECT_EQ(table.cellForRow(-1), nullptr);
  for (std::int64_t row : {-1, 0, 3, 4}) table.selectRow(row);
  EXPECT_EQ(source->taps, (std::vector<std::int64_t>{0, 3}));
  EXPECT_EQ(source->cellsBuilt, 1);
  table.reloadData();
  EXPECT_EQ(table.numberOfRows(), 6);
  EXPECT_EQ(reloads, 2);
  EXPECT_NE(table.cellForRow(3), first);
  // A window that grows wider: the row's views are placed for the new width.
  table.setFrame(makeRect(0, 116, 1066, 551));
  EXPECT_EQ(table.cellForRow(3)->contentView()->frame(), makeRect(0, 0, 1066, 52));

  source->rows = -4;
  table.reloadData();
  EXPECT_EQ(table.numberOfRows(), 0);
  source->rows = 2;
  table.reloadData();
  source.reset();
  EXPECT_EQ(table.cellForRow(1), nullptr);
  table.selectRow(1);
  table.reloadData();
  EXPECT_EQ(table.numberOfRows(), 0);
}

}  // namespace
}  // namespace kiro
