#pragma once
// How every property setter works: compare the new value with the stored one,
// store it only when it differs, and report the change. Reporting is the
// owner's business: a chart repaints, a series asks its chart to, and an owned
// sub-object (pen, font, wall, marks, ...) raises its one change callback.
#include <functional>

#include "runtime/component.h"

namespace tokiwa {

// Stores value in field unless they compare equal (doubles exactly, strings
// case-sensitively); answers whether it stored.
template <class T, class U>
[[nodiscard]] constexpr bool StoreIfChanged(T& field, const U& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Told of each effective change of a sub-object; sender is the object that changed.
using TChangeHandler = std::function<void(TPersistent* sender)>;

// Base of the objects another object owns and repaints for: they report every
// effective change through OnChange, which the owner installs.
class TChangeNotifier : public TPersistent {
 public:
  TChangeHandler OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  template <class T, class U>
  void Set(T& field, const U& value) {
    if (StoreIfChanged(field, value)) Changed();
  }
  // A handler for objects owned in turn: their changes are changes of this one.
  TChangeHandler ReportAsOwnChange() {
    return [this](TPersistent*) { Changed(); };
  }
};

}  // namespace tokiwa
