#include "platform/ui/check_box.h"

namespace qw {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

int CheckBox::Value() const {
  switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
  }
}

bool CheckBox::SetValue(int value) {
  switch (value) {
    case 0: setCheckState(Qt::Unchecked); return true;
    case 1: setCheckState(Qt::Checked); return true;
    case 2:
      setTristate(true);
      setCheckState(Qt::PartiallyChecked);
      return true;
    default: return false;
  }
}

void CheckBox::nextCheckState() {
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace qw
