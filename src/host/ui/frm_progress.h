#pragma once
// frmprogress: the progress window that covers the loading of a page about to
// be printed (ShowPrintProgress of the window host).
#include <QDialog>

#include "host/ui/window_host.h"

class QProgressBar;
class QTimer;

namespace qw {

class frmprogress : public QDialog, public OneInstance<frmprogress> {
  Q_OBJECT
 public:
  explicit frmprogress(QWidget* parent = MainWindowOrNull());
  void Timer1_Timer();

  QProgressBar* ProgressBar1 = nullptr;
  QTimer* Timer1 = nullptr;

  // The timer's interval in ms (100; tests may shorten it).
  static int& TimerInterval();
};

}  // namespace qw
