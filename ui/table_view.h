#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "ui/table_view_cell.h"
#include "ui/view.h"

namespace kiro {

// A row of a table and the section it is in.
struct IndexPath {
  std::int64_t row = 0;
  std::int64_t section = 0;
  friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

class TableView;

// Tells a table how many rows it has and builds their cells.
class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual std::int64_t numberOfRowsInSection(TableView& tableView, std::int64_t section) = 0;
  // A cell for indexPath; null leaves the row blank.
  virtual std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) = 0;
};

// Told of touches on a table's rows.
class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  virtual void didSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) = 0;
};

enum class TableViewCellSeparatorStyle { none, singleLine };

// A list of rows of one height in a single section. The row count is read from the data
// source at each reloadData; a row's cell is built when it is first asked for after that.
// White until its screen says otherwise, as the toolkit's tables are.
class TableView : public View {
 public:
  TableView() { setBackgroundColor(Color::white()); }

  // Both are held weakly: the screen that owns the table usually plays both parts.
  void setDataSource(std::weak_ptr<TableViewDataSource> dataSource) { dataSource_ = std::move(dataSource); }
  void setDelegate(std::weak_ptr<TableViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // In points.
  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double height) { update(rowHeight_, height, ViewProperty::rowHeight); }

  TableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
  void setSeparatorStyle(TableViewCellSeparatorStyle style) {
    update(separatorStyle_, style, ViewProperty::separatorStyle);
  }

  // What the data source said at the last reloadData; 0 before the first.
  std::int64_t numberOfRows() const { return numberOfRows_; }
  // Reads the row count again and forgets every cell built so far.
  void reloadData();
  // row's cell, placed at its row and as wide as the table: the one built since the last
  // reloadData at the table's width now, else a new one from the data source. Null for a
  // row outside the table or without a data source.
  std::shared_ptr<TableViewCell> cellForRow(std::int64_t row);
  // A touch on row, as the widget or a script reports it: tells the delegate. Rows outside
  // the table are ignored.
  void selectRow(std::int64_t row);

 private:
  std::weak_ptr<TableViewDataSource> dataSource_;
  std::weak_ptr<TableViewDelegate> delegate_;
  double rowHeight_ = 44;
  TableViewCellSeparatorStyle separatorStyle_ = TableViewCellSeparatorStyle::singleLine;
  std::int64_t numberOfRows_ = 0;
  std::map<std::int64_t, std::shared_ptr<TableViewCell>> cells_;
};

}  // namespace kiro
