#pragma once
// frmWait: the wait window shown while a search runs (ShowWaitWindow and
// UnloadWaitWindow of the window host).
#include <QDialog>

#include "host/ui/window_host.h"

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
  // Whether it has drawn itself on the screen.
  bool HasPainted() const { return painted_; }

  QLabel* picWait = nullptr;
  QLabel* lblWait = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool painted_ = false;
};

}  // namespace qw
