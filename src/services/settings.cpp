#include "services/settings.h"

namespace qw {

AppSettings& Settings() {
  static AppSettings settings;
  return settings;
}

int& SortOrder() {
  static int order = 1;
  return order;
}

int& ScreenMode() {
  static int mode = 0;
  return mode;
}

}  // namespace qw
