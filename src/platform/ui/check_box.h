#pragma once
// A check box read and set by value: 0 unticked, 1 ticked, 2 greyed. The user
// toggles between unticked and ticked; only the program greys a box.
#include <QCheckBox>

namespace qw {

class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit CheckBox(const QString& caption = QString(), QWidget* parent = nullptr);
  int Value() const;
  // 0, 1 or 2; any other value leaves the box as it is and returns false.
  bool SetValue(int value);

 protected:
  void nextCheckState() override;
};

}  // namespace qw
