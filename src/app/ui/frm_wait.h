#pragma once
// frmWait: the wait window shown while a search runs (ShowWaitWindow and
// UnloadWaitWindow of the window host).
#include <QDialog>

#include "app/ui/window_host.h"

class QLabel;
class QPushButton;

namespace qw {

class frmWait : public QDialog, public OneInstance<frmWait> {
  Q_OBJECT
 public:
  // Owned by the main window when there is one, so that it stays off the
  // task bar.
  explicit frmWait(QWidget* parent = MainWindowOrNull());
  void cmdCancel_Click();

  QLabel* picWait = nullptr;
  QLabel* lblWait = nullptr;
  QPushButton* cmdCancel = nullptr;
};

}  // namespace qw
