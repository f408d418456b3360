#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/screen.h"
#include "ui/table_view.h"
#include "screens/remote/shooting_plan.h"

namespace kiro {

// The kept plans, by name: a touch on one picks it; Save keeps the timer screen's plan
// under a name that says what it does; with Delete on, a touch deletes the row instead.
// Create it with std::make_shared: its table and buttons hold it weakly.
class PresetsViewController final : public Screen,
                                    public TableViewDataSource,
                                    public TableViewDelegate {
 public:
  // current: the plan Save keeps; pick: told the plan picked; back: when back is let go.
  PresetsViewController(std::function<ShootingPlan()> current, std::function<void(const ShootingPlan&)> pick,
                        std::function<void()> back);

  const std::shared_ptr<TableView>& table() const { return table_; }
  const std::vector<std::string>& names() const { return names_; }
  void save();
  void toggleDeleting();

  std::int64_t numberOfRowsInSection(TableView& tableView, std::int64_t section) override;
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;
  void didSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;

 protected:
  void viewDidLoad() override;

 private:
  void reload();

  std::function<ShootingPlan()> current_;
  std::function<void(const ShootingPlan&)> pick_;
  std::function<void()> back_;
  std::vector<std::string> names_;
  bool deleting_ = false;
  std::shared_ptr<TableView> table_ = std::make_shared<TableView>();
  std::shared_ptr<Button> deleteButton_;
};

}  // namespace kiro
