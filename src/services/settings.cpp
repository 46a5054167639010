#include "services/settings.h"

namespace qw {

AppSettings& Settings() {
  static AppSettings settings;
  return settings;
}

ListOrder& SortOrder() {
  static ListOrder order = ListOrder::Geographic;
  return order;
}

ScreenKind& ScreenMode() {
  static ScreenKind mode = ScreenKind::Search;
  return mode;
}

}  // namespace qw
