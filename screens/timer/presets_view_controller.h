#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/run_loop.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "ui/table_view.h"
#include "plan/shooting_plan.h"

namespace kiro {

// The kept plans, by name: a touch on one picks it; Save keeps the timer screen's plan
// under a name typed for it, one that says what it does offered; with Delete on, a touch
// deletes the row instead, and Undo brings it back for a few seconds. The built-in ones can
// be had back. A line says what was done.
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
  // What was done last, or the name being typed.
  const std::shared_ptr<Label>& line() const { return line_; }
  // Starts typing the name to keep the plan as; Enter keeps it, Escape leaves it unkept.
  void save();
  void toggleDeleting();
  // Brings back the preset deleted last, while its Undo shows.
  void undo();
  void restoreBuiltIns();
  bool takesTyping() const override { return naming_.has_value(); }
  void type(const Typing& key) override;

  std::int64_t numberOfRowsInSection(TableView& tableView, std::int64_t section) override;
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;
  void didSelectRowAtIndexPath(TableView& tableView, const IndexPath& indexPath) override;

 protected:
  void viewDidLoad() override;

 private:
  void reload();
  void keepAs(const std::string& name);
  void say(const Text& text);
  void forgetDeleted();

  std::function<ShootingPlan()> current_;
  std::function<void(const ShootingPlan&)> pick_;
  std::function<void()> back_;
  std::vector<std::string> names_;
  bool deleting_ = false;
  std::optional<std::string> naming_;  // the name typed so far
  bool offered_ = false;               // the name is the one offered: a key typed replaces it
  struct Deleted {
    std::string name, words;
  };
  std::optional<Deleted> deleted_;  // what Undo brings back
  std::shared_ptr<Timer> undoTime_;
  std::shared_ptr<TableView> table_ = std::make_shared<TableView>();
  std::shared_ptr<Button> deleteButton_;
  std::shared_ptr<Button> undoButton_;
  std::shared_ptr<Label> line_ = std::make_shared<Label>();
};

}  // namespace kiro
