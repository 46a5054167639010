#pragma once
// The rest of a double-click whose first click opened another window in
// place of the one clicked (a map mark opens a marina's report and the maps
// close): the second press, its release and the double-click the toolkit
// makes of them would land on whatever now lies under the pointer (the
// result list, whose double-click opens its own marina).
#include <QtGlobal>

namespace qw {

// While one lives, and for the double-click time after it goes, the mouse
// presses, releases and double-clicks that belong to a double-click begun by
// the press at firstPressTimestamp (within the double-click time of it)
// reach no window. Made before the click's work, so that a press that comes
// while that work waits on the event loop is held too.
class HoldRestOfDoubleClick {
 public:
  explicit HoldRestOfDoubleClick(quint64 firstPressTimestamp);
  ~HoldRestOfDoubleClick();
  HoldRestOfDoubleClick(const HoldRestOfDoubleClick&) = delete;
  HoldRestOfDoubleClick& operator=(const HoldRestOfDoubleClick&) = delete;

 private:
  class Filter;
  Filter* filter_;
};

}  // namespace qw
