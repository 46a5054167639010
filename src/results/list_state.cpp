#include "results/list_state.h"

namespace qw {

QVariant& RowBellRating() {
  static QVariant value = 0;
  return value;
}

QVariant& RowBoatyardRating() {
  static QVariant value = 0;
  return value;
}

int& RowSunset() {
  static int value = 0;
  return value;
}

QString& SelectedMarinaName() {
  static QString name;
  return name;
}

}  // namespace qw
