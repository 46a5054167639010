#pragma once
// The wait window shown while a search runs, and the progress window that
// covers the loading of a page about to be printed.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace qw {

class frmWait : public QDialog {
  Q_OBJECT
 public:
  explicit frmWait(QWidget* parent = nullptr);
  void cmdCancel_Click();

  QLabel* picWait = nullptr;
  QLabel* lblWait = nullptr;
  QPushButton* cmdCancel = nullptr;
};

// Shows the wait window (loaded afresh) and paints it at once, so that it is
// seen while the caller's query blocks the event loop.
frmWait* ShowWaitWindow();
// Unloads the wait window (nothing when it is not loaded).
void UnloadWaitWindow();
// The wait window while it is loaded, else nullptr.
frmWait* CurrentWaitWindow();

class frmprogress : public QDialog {
  Q_OBJECT
 public:
  explicit frmprogress(QWidget* parent = nullptr);
  void Timer1_Timer();

  QProgressBar* ProgressBar1 = nullptr;
  QTimer* Timer1 = nullptr;

  // The timer's interval in ms (100; tests may shorten it).
  static int& TimerInterval();
};

// Shows a fresh progress window modally; returns when it has closed itself
// after its tenth step.
void ShowProgressModal();

}  // namespace qw
