#include "host/ui/screens.h"

namespace qw {

Screens& AppScreens() {
  static Screens screens;
  return screens;
}

}  // namespace qw
