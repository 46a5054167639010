#include "platform/ui/combo_box.h"

namespace qw {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(12);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
    if (!quiet_) emit Click();
  });
}

void ComboBox::AddItem(const QString& text) { AddItems({text}); }

void ComboBox::AddItems(const QStringList& texts) {
  // Qt chooses the first entry of an empty list by itself; keep "none".
  const int before = currentIndex();
  quiet_ = true;
  addItems(texts);
  if (before < 0) setCurrentIndex(-1);
  quiet_ = false;
}

void ComboBox::Clear() {
  quiet_ = true;
  clear();
  quiet_ = false;
}

bool ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= count()) return false;
  setCurrentIndex(index);  // raises Click through currentIndexChanged when it changes
  return true;
}

}  // namespace qw
