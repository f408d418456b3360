#include "ui/table_view.h"

#include <algorithm>

namespace kiro {

void TableView::reloadData() {
  const auto dataSource = dataSource_.lock();
  // A negative count from the data source means no rows.
  numberOfRows_ = dataSource ? std::max<std::int64_t>(dataSource->numberOfRowsInSection(*this, 0), 0) : 0;
  cells_.clear();
  changed(ViewProperty::rows);
}

std::shared_ptr<TableViewCell> TableView::cellForRow(std::int64_t row) {
  if (row < 0 || row >= numberOfRows_) return nullptr;
  const double width = frame().size.width;
  // A cell built for another width is built again: its views were placed for that one.
  if (auto built = cells_.find(row); built != cells_.end() && built->second->frame().size.width == width)
    return built->second;
  const auto dataSource = dataSource_.lock();
  if (!dataSource) return nullptr;
  auto cell = dataSource->cellForRowAtIndexPath(*this, IndexPath{row, 0});
  if (!cell) return nullptr;
  cell->setFrame(makeRect(0, static_cast<double>(row) * rowHeight_, width, rowHeight_));
  cell->contentView()->setFrame(makeRect(0, 0, width, rowHeight_));
  cells_[row] = cell;
  return cell;
}

void TableView::selectRow(std::int64_t row) {
  if (row < 0 || row >= numberOfRows_) return;
  if (const auto delegate = delegate_.lock()) delegate->didSelectRowAtIndexPath(*this, IndexPath{row, 0});
}

}  // namespace kiro

