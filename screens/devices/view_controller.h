#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/link_manager.h"
#include "platform/central.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "ui/table_view.h"
#include "screens/devices/device_list_navigation.h"

namespace kiro {

// The device list: the receivers the link manager has found, each with its connection
// state; a tap picks the receiver to connect to (or to let go of), the refresh button
// searches afresh. It owns no Bluetooth objects: the list arrives with update and the
// choice goes to the link manager's connectionService.
// Create it with std::make_shared: its table and targets hold it weakly.
class ViewController final : public Screen, public TableViewDataSource, public TableViewDelegate {
 public:
  ViewController() : Screen("devices") {}

  // navigation: told when the back button is let go; nothing happens while unset.
  void setNavigation(std::weak_ptr<DeviceListNavigation> navigation) { navigation_ = std::move(navigation); }

  const std::shared_ptr<TableView>& tabel() const { return tabel_; }
  // The registry's own list as the last update delivered it; null before the first.
  const SharedPeripheralList& arr() const { return arr_; }

  // update: keeps the delivered list; the table reloads once the loop's turn is over.
  void change(const SharedPeripheralList& list);

  std::int64_t numberOfRowsInSection(TableView& tableView, std::int64_t section) override;
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;
  void didSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;

  // Refresh: drops the current connection and searches afresh.
  void jumpV();
  // Back: leaves the screen.
  void jump3();
  // Asks the link manager for an update now, so the screen in front redraws its status.
  void changeArr();

 protected:
  void viewDidLoad() override;
  void viewWillTransitionToSize(const Size& size) override;

 private:
  // A listed receiver: its peripheral and the name it was found under.
  struct Listed {
    std::shared_ptr<Peripheral> peripheral;
    std::string name;
  };
  // Entry row of arr with its name; nullopt when the row is outside the list, or its
  // peripheral or its name is missing.
  std::optional<Listed> listed(std::int64_t row) const;

  void addHeader(const Size& screen);
  // The headers over the two ends of the rows, for a screen of size.
  void placeHeaders(const Size& size);
  void addTable(const Size& screen);
  void addBarButtons();
  void fillCell(TableViewCell& cell, const Listed& receiver) const;
  // Shows one refusal per other listed receiver that is connected; whether any showed.
  bool refuse(std::int64_t row) const;
  void select(std::int64_t row, const Listed& receiver);

  std::shared_ptr<TableView> tabel_ = std::make_shared<TableView>();
  std::shared_ptr<Label> deviceHeader_;
  std::shared_ptr<Label> statusHeader_;
  SharedPeripheralList arr_;
  bool reloadPending_ = false;

  std::weak_ptr<DeviceListNavigation> navigation_;
  Subscription updateListener_;
};

}  // namespace kiro
