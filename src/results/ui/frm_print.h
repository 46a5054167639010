#pragma once
// frmPrint, "Print Marina": an option dialog with three print choices. It
// rescales itself for the screen when it loads.
#include <QDialog>

#include "host/ui/window_host.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qw {

// Loaded (not shown) on first use.
class frmPrint : public QDialog, public OneInstance<frmPrint> {
  Q_OBJECT

 public:
  frmPrint();
  ~frmPrint() override;
  // Scales the dialog for the screen.
  void Form_Load();
  void Form_Activate() { Activated = true; }

  void cmdPrint_Click();
  void cmdPrint1_Click();
  void cmdCancel_Click();

  QGroupBox* fraPrint = nullptr;
  QRadioButton* optMarina = nullptr;
  QRadioButton* optNotes = nullptr;
  QRadioButton* optMarinaNotes = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdCancel = nullptr;

  int DesignWidth = 0;
  int DesignHeight = 0;
  long LastWidth = 0;
  long LastHeight = 0;
  bool Activated = false;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Form_Resize();
  void Option_Click();
};

}  // namespace qw
