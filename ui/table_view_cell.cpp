#include "ui/table_view_cell.h"

namespace kiro {

TableViewCell::TableViewCell(std::string reuseIdentifier) : reuseIdentifier_(std::move(reuseIdentifier)) {
  setBackgroundColor(Color::white());
  addSubview(contentView_);
}

}  // namespace kiro
