#pragma once
// Frmalertchart: the hint box shown when the maps open from the start choice;
// its tick turns the hint off for good by a row in chart_information.
#include <QDialog>

#include "host/ui/window_host.h"

class QLabel;
class QPushButton;

namespace qw {

class CheckBox;

class Frmalertchart : public QDialog, public OneInstance<Frmalertchart> {
  Q_OBJECT

 public:
  Frmalertchart();

  // 1 while the box is ticked (as its last click left it), else 0; it keeps
  // its value when the window is unloaded.
  static int chkalert();
  static void setChkalert(int value);

  void Chalert_Click();
  // Stores the mark when ticked (telling the user when it could not be
  // stored), then closes the box.
  void OKButton_Click();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  CheckBox* Chalert = nullptr;
  QPushButton* OKButton = nullptr;
};

// Shows a fresh hint box modally and returns when it has closed.
void ShowAlertChart();

}  // namespace qw
