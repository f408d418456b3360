#include "platform/platform.h"
#include "ui/alert.h"
#include "screens/devices/view_controller.h"

namespace kiro {

void ViewController::didSelectRowAtIndexPath(TableView&, const IndexPath& indexPath) {
  // A row without a listed receiver has nothing to pick; the tap does nothing.
  const auto receiver = listed(indexPath.row);
  if (!receiver || refuse(indexPath.row)) return;
  select(indexPath.row, *receiver);
}

bool ViewController::refuse(std::int64_t row) const {
  bool refused = false;
  for (std::size_t i = 0; i < arr_->size(); ++i) {
    const auto& other = (*arr_)[i];
    if (static_cast<std::int64_t>(i) == row || !other || other->state() != PeripheralState::connected) continue;
    alertQueue().show(Alert{Text("Can not connect"), Text("A device has connected"), Text("YES")});
    refused = true;
  }
  return refused;
}

void ViewController::select(std::int64_t row, const Listed& receiver) {
  auto& defaults = platform().defaults;
  defaults.set("jumpFlag", "0");
  platform().log.print("cell点击方法触发，将要传递的通知内容是:{indexRow = %ld}", row);
  defaults.set("iphone", StringDictionary{{"name", receiver.name},
                                           {"uuid", receiver.peripheral->identifier().UUIDString()}});
  // Handled at once: the link manager connects or lets go, and its own update
  // replaces arr_ before this goes on.
  singleton::defaultManager().connectionService(static_cast<std::size_t>(row));
  tabel_->reloadData();
}

}  // namespace kiro
