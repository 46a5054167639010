#pragma once
// frm_PrintAll, "Print report": prints the current report, every report of
// the viewer's list, or the reports From one entry to another. It is hidden,
// not unloaded, when it closes, so the option chosen stays chosen.
#include <QDialog>
#include <QPointer>

#include "host/ui/window_host.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qw {

class ReportPrintCommands;

class frm_PrintAll : public QDialog, public OneInstance<frm_PrintAll> {
  Q_OBJECT

 public:
  frm_PrintAll();

  // The viewer's print commands the dialog works for (the list it counts,
  // the run it starts). Set before each showing.
  void SetCommands(ReportPrintCommands* commands) { commands_ = commands; }

  void OKButton_Click();
  void CancelButton_Click();

  QGroupBox* Frame2 = nullptr;
  QRadioButton* optSingle = nullptr;
  QRadioButton* optAll = nullptr;
  QRadioButton* optFrom = nullptr;
  QLineEdit* txtFrom = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtTo = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 protected:
  // Each time the dialog opens, From and to show "1" and the number of
  // listed marinas.
  void showEvent(QShowEvent* e) override;

 private:
  QPointer<ReportPrintCommands> commands_;
};

}  // namespace qw
