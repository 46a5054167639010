#pragma once
// frmLogo: the program's first window, the publisher's logo; its timer shows
// the splash.
#include <QWidget>

#include "host/ui/window_host.h"

class QLabel;
class QTimer;

namespace qw {

class frmLogo : public QWidget, public OneInstance<frmLogo> {
  Q_OBJECT
 public:
  explicit frmLogo(QWidget* parent = nullptr);
  void Timer1_Timer();

  QLabel* Picture1 = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  // Closed by the user before the splash came: no window is left, so the
  // program ends.
  void closeEvent(QCloseEvent* event) override;
};

// Shows the logo window: the program's first window.
frmLogo* ShowLogo();

}  // namespace qw
