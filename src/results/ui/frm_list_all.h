#pragma once
// frmListAll, "Sort Marinas": asks in which order the marinas are listed and sets SortOrder.
#include <QDialog>

#include "host/ui/window_host.h"

class QLabel;
class QPushButton;

namespace qw {

class frmListAll : public QDialog, public OneInstance<frmListAll> {
  Q_OBJECT

 public:
  // Owned by the active window when none is given.
  explicit frmListAll(QWidget* parent = nullptr);

  void cmdAlpha_Click();
  void cmdGeo_Click();

  QLabel* lblMessage = nullptr;
  QPushButton* cmdAlpha = nullptr;
  QPushButton* cmdGeo = nullptr;
};

// Shows the dialog modally and unloads it when it is closed.
void ShowSortDialog();

}  // namespace qw
