#include "platform/qt/window/accessibility/phone_window_accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "platform/qt/window/phone_window.h"
#include "ui/button.h"

namespace kiro {

namespace {

QAccessibleInterface* nth(const std::vector<QAccessibleInterface*>& children, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < children.size() ? children[static_cast<std::size_t>(index)]
                                                                         : nullptr;
}

int indexIn(const std::vector<QAccessibleInterface*>& children, const QAccessibleInterface* child) {
  const auto found = std::find(children.begin(), children.end(), child);
  return found == children.end() ? -1 : static_cast<int>(found - children.begin());
}

// Later children are drawn over earlier ones.
QAccessibleInterface* frontmostAt(const std::vector<QAccessibleInterface*>& children, int x, int y) {
  const auto found = std::find_if(children.rbegin(), children.rend(),
                                  [x, y](QAccessibleInterface* child) { return child->rect().contains(x, y); });
  return found == children.rend() ? nullptr : *found;
}

}  // namespace

void PhoneWindowAccessibility::post(QAccessibleInterface* element, QAccessible::Event type) {
  QAccessibleEvent event(element, type);
  announcer(&event);
}

// The window itself: its children are the elements with no other parent.
class PhoneWindowAccessibility::Root final : public QAccessibleWidget {
 public:
  explicit Root(PhoneWindow& window) : QAccessibleWidget(&window, QAccessible::Window), window_(window) {}

  int childCount() const override { return static_cast<int>(children().size()); }
  QAccessibleInterface* child(int index) const override { return nth(children(), index); }
  int indexOfChild(const QAccessibleInterface* child) const override { return indexIn(children(), child); }
  QAccessibleInterface* childAt(int x, int y) const override { return frontmostAt(children(), x, y); }

 private:
  std::vector<QAccessibleInterface*> children() const { return window_.accessibility_.children(nullptr); }

  PhoneWindow& window_;
};

// One element of the model. It reads the model afresh at each question, and goes invalid
// once the element has left the window.
class PhoneWindowAccessibility::Element final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  Element(PhoneWindowAccessibility& owner, Key key, Element* parent)
      : owner_(&owner),
        key_(std::move(key)),
        parent_(parent),
        announcedName_(owner.name(key_)),
        announcedChecked_(owner.state(key_).checked) {}

  bool is(const Key& key, const Element* parent) const { return key_ == key && parent_ == parent; }
  const Key& key() const { return key_; }
  const Element* parentElement() const { return parent_; }
  void detach() { owner_ = nullptr; }

  // Tells of what changed since the last time.
  void announce() {
    if (std::exchange(unannounced_, false) && key_.kind == Kind::alert) post(this, QAccessible::ObjectShow);
    if (const QString name = text(QAccessible::Name); name != announcedName_) {
      announcedName_ = name;
      post(this, QAccessible::NameChanged);
    }
    if (const bool checked = state().checked; checked != announcedChecked_) {
      announcedChecked_ = checked;
      QAccessible::State changed;
      changed.checked = true;
      QAccessibleStateChangeEvent event(this, changed);
      announcer(&event);
    }
  }

  bool isValid() const override { return owner_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    if (!owner_) return nullptr;
    return parent_ ? static_cast<QAccessibleInterface*>(parent_)
                   : QAccessible::queryAccessibleInterface(&owner_->window_);
  }
  int childCount() const override { return static_cast<int>(children().size()); }
  QAccessibleInterface* child(int index) const override { return nth(children(), index); }
  int indexOfChild(const QAccessibleInterface* child) const override { return indexIn(children(), child); }
  QAccessibleInterface* childAt(int x, int y) const override { return frontmostAt(children(), x, y); }

  QString text(QAccessible::Text type) const override {
    if (!owner_) return {};
    if (type == QAccessible::Name) return owner_->name(key_);
    if (type == QAccessible::Description) return owner_->description(key_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return owner_ ? owner_->screenRect(key_) : QRect(); }
  QAccessible::Role role() const override { return owner_ ? owner_->role(key_) : QAccessible::NoRole; }
  QAccessible::State state() const override {
    if (owner_) return owner_->state(key_);
    QAccessible::State gone;
    gone.invalid = true;
    return gone;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    const bool pressable = key_.kind == Kind::button || key_.kind == Kind::row || key_.kind == Kind::alertButton;
    return type == QAccessible::ActionInterface && pressable ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && owner_) owner_->press(key_);
  }

 private:
  std::vector<QAccessibleInterface*> children() const {
    return owner_ ? owner_->children(this) : std::vector<QAccessibleInterface*>{};
  }

  PhoneWindowAccessibility* owner_;  // null once the element has left the window
  Key key_;
  Element* parent_;  // null: the window
  QString announcedName_;
  bool announcedChecked_;
  bool unannounced_ = true;
};

bool PhoneWindowAccessibility::Key::operator==(const Key& other) const {
  // By owner, so a view made where a dead one was is another element.
  return kind == other.kind && row == other.row && !view.owner_before(other.view) && !other.view.owner_before(view);
}

PhoneWindowAccessibility::PhoneWindowAccessibility(PhoneWindow& window) : window_(window) {
  QAccessible::installFactory(&PhoneWindowAccessibility::create);
  QAccessible::installActivationObserver(this);
  accessibilityActiveChanged(QAccessible::isActive());
}

PhoneWindowAccessibility::~PhoneWindowAccessibility() {
  QAccessible::removeActivationObserver(this);
  for (Element* element : elements_) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(element));
}

// Asked with each class name from the object's own up; a window still being made is not yet one.
QAccessibleInterface* PhoneWindowAccessibility::create(const QString&, QObject* object) {
  auto* window = qobject_cast<PhoneWindow*>(object);
  return window ? new Root(*window) : nullptr;
}

// A screen reader that listens before it asks must hear the first change too, so the
// elements are made at once. Posted: the window may still be being made.
void PhoneWindowAccessibility::accessibilityActiveChanged(bool active) {
  if (active) QTimer::singleShot(0, &window_, [this] { start(); });
}

// Whoever asks first reads the elements as they are: nothing has changed for it.
void PhoneWindowAccessibility::start() {
  if (std::exchange(asked_, true)) return;
  sync();
  reordered_ = false;
  focused_ = focusedId();
}

void PhoneWindowAccessibility::modelChanged() {
  if (!asked_ || std::exchange(announcing_, true)) return;
  QTimer::singleShot(0, &window_, [this] {
    announcing_ = false;
    announceChanges();
  });
}

void PhoneWindowAccessibility::announceChanges() {
  sync();
  if (std::exchange(reordered_, false)) {
    post(QAccessible::queryAccessibleInterface(&window_), QAccessible::ObjectReorder);
    for (Element* element : elements_)
      if (element->key().kind == Kind::list) post(element, QAccessible::ObjectReorder);
  }
  for (Element* element : elements_) element->announce();
  announceFocus();
}

QAccessible::Id PhoneWindowAccessibility::focusedId() const {
  const auto found =
      std::find_if(elements_.begin(), elements_.end(), [](Element* element) { return element->state().focused; });
  return found == elements_.end() ? 0 : QAccessible::uniqueId(*found);
}

// Qt tells of the element the focus left with the one it moved to; when the ring goes
// away, that element is told alone.
void PhoneWindowAccessibility::announceFocus() {
  const QAccessible::Id now = focusedId();
  const QAccessible::Id before = std::exchange(focused_, now);
  if (now == before) return;
  if (now != 0) return post(QAccessible::accessibleInterface(now), QAccessible::Focus);
  if (QAccessibleInterface* left = QAccessible::accessibleInterface(before)) {
    QAccessible::State changed;
    changed.focused = true;
    QAccessibleStateChangeEvent event(left, changed);
    announcer(&event);
  }
}

std::vector<QAccessibleInterface*> PhoneWindowAccessibility::children(const Element* parent) {
  asked_ ? sync() : start();
  std::vector<QAccessibleInterface*> found;
  for (Element* element : elements_)
    if (element->parentElement() == parent) found.push_back(element);
  return found;
}

void PhoneWindowAccessibility::sync() {
  std::vector<Element*> next;
  for (const Shown& now : shown()) {
    Element* parent = now.parent < 0 ? nullptr : next[static_cast<std::size_t>(now.parent)];
    const auto kept = std::find_if(elements_.begin(), elements_.end(),
                                   [&](const Element* element) { return element->is(now.key, parent); });
    if (kept != elements_.end()) {
      next.push_back(*kept);
      elements_.erase(kept);
      continue;
    }
    auto* added = new Element(*this, now.key, parent);
    QAccessible::registerAccessibleInterface(added);
    next.push_back(added);
    reordered_ = true;
  }
  if (!elements_.empty()) {
    reordered_ = true;
    std::vector<QAccessible::Id> gone;
    for (Element* element : elements_) {
      element->detach();
      gone.push_back(QAccessible::uniqueId(element));
    }
    // Not at once: the element may be the one whose press changed the screen.
    QTimer::singleShot(0, QCoreApplication::instance(), [gone] {
      for (const QAccessible::Id id : gone) QAccessible::deleteAccessibleInterface(id);
    });
  }
  elements_ = std::move(next);
}

void PhoneWindowAccessibility::press(Key key) {
  if (key.kind == Kind::alertButton) {
    window_.alerts_.dismiss();
    return;
  }
  // The alert is modal: nothing behind it answers.
  if (window_.alerts_.visible()) return;
  const auto view = key.view.lock();
  if (key.kind == Kind::row) {
    if (auto table = std::dynamic_pointer_cast<TableView>(view)) table->selectRow(key.row);
    return;
  }
  const auto button = std::dynamic_pointer_cast<Button>(view);
  if (!button) return;
  // A tap, as the window makes of a touch: a touch-down that took the button off the
  // screen in front counts as a touch that left it.
  button->sendActions(ControlEvent::touchDown);
  const auto now = screenShown();
  const bool inside = std::any_of(now.begin(), now.end(), [&key](const Shown& shown) { return shown.key == key; });
  button->sendActions(inside ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
}

}  // namespace kiro
