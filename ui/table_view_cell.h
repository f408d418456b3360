#pragma once

#include <memory>
#include <string>
#include <utility>

#include "ui/view.h"

namespace kiro {

// Whether a touched row is drawn highlighted.
enum class TableViewCellSelectionStyle { none, gray };

// One row of a table. Its own views go into contentView, which fills it. White until
// its screen says otherwise, as the toolkit's cells are.
class TableViewCell : public View {
 public:
  // reuseIdentifier: the name its screen gives the kind of row.
  explicit TableViewCell(std::string reuseIdentifier);

  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  const std::shared_ptr<View>& contentView() const { return contentView_; }

  TableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
  void setSelectionStyle(TableViewCellSelectionStyle style) {
    update(selectionStyle_, style, ViewProperty::selectionStyle);
  }

 private:
  std::string reuseIdentifier_;
  std::shared_ptr<View> contentView_ = std::make_shared<View>();
  TableViewCellSelectionStyle selectionStyle_ = TableViewCellSelectionStyle::gray;
};

}  // namespace kiro
