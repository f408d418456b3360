#pragma once

#include <QAccessible>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/view.h"

namespace kiro {

class PhoneWindow;

// What a screen reader finds in the phone window, which paints the model and so has no
// widgets of its own: the bar's buttons and title and the front screen's buttons, labels,
// named pictures (the lamps) and list rows; while an alert shows, only the alert and its
// button, as only they answer. The buttons and rows the focus ring reaches are focusable,
// and the one it is on is focused. The elements are made when an assistive technology first
// asks for them, or as soon as one listens; from then on each change of the model is
// announced. Until then the window pays nothing for them.
class PhoneWindowAccessibility : private QAccessible::ActivationObserver {
 public:
  explicit PhoneWindowAccessibility(PhoneWindow& window);
  ~PhoneWindowAccessibility() override;
  PhoneWindowAccessibility(const PhoneWindowAccessibility&) = delete;
  PhoneWindowAccessibility& operator=(const PhoneWindowAccessibility&) = delete;

  // The model changed: the elements are brought up to date and what changed is announced
  // once the loop's turn is over, as a held button changes several views a frame. An
  // assistive technology that asks meanwhile reads them as they are.
  void modelChanged();

  // Where the announcements go. Qt passes them on only while an assistive technology
  // listens, which on a platform without one (offscreen) is never: tests listen here.
  static inline void (*announcer)(QAccessibleEvent* event) = &QAccessible::updateAccessibility;

 private:
  class Root;
  class Element;

  enum class Kind { title, button, picture, text, list, row, alert, alertButton };

  // Which part of the model an element stands for.
  struct Key {
    Kind kind;
    std::weak_ptr<View> view;  // the view, or a row's table; empty for the title and the alert
    std::int64_t row = -1;
    bool operator==(const Key& other) const;
  };

  // An element as the window shows it now.
  struct Shown {
    Key key;
    QRectF rect;      // in the window's points
    int parent = -1;  // the index of its parent among those shown; -1: the window
  };

  static QAccessibleInterface* create(const QString& className, QObject* object);
  static void post(QAccessibleInterface* element, QAccessible::Event type);

  std::vector<Shown> shown() const;
  std::vector<Shown> screenShown() const;
  void accessibilityActiveChanged(bool active) override;
  void start();
  void sync();
  void announceChanges();
  void announceFocus();
  QAccessible::Id focusedId() const;
  std::vector<QAccessibleInterface*> children(const Element* parent);

  QString name(const Key& key) const;
  QString description(const Key& key) const;
  QAccessible::Role role(const Key& key) const;
  QAccessible::State state(const Key& key) const;
  QRect screenRect(const Key& key) const;
  void press(Key key);

  PhoneWindow& window_;
  std::vector<Element*> elements_;  // the cache of Qt's accessibility owns them
  bool asked_ = false;
  bool reordered_ = false;
  bool announcing_ = false;  // the turn's announcement is posted
  QAccessible::Id focused_ = 0;  // the element last told focused; 0: none
};

}  // namespace kiro
