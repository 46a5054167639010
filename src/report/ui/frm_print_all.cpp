#include "report/ui/frm_print_all.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"
#include "report/ui/report_print_commands.h"

namespace qw {

frm_PrintAll::frm_PrintAll() : QDialog(MainWindowOrNull()) {
  setObjectName(QStringLiteral("frm_PrintAll"));
  setWindowTitle(kPrintAllCaption);
  setFixedSize(TwipsToPixels(4680), TwipsToPixels(2160));
  // A small fixed dialog: a close button, nothing to minimise or maximise (a
  // modal dialog minimised would leave the program taking no input).
  UseFixedFrame(this);

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  PlaceTwips(Frame2, 120, 120, 3000, 1815);
  optSingle = new QRadioButton(QStringLiteral("Current Report"), Frame2);
  optSingle->setObjectName(QStringLiteral("optSingle"));
  PlaceTwips(optSingle, 240, 240, 2535, 375);
  optAll = new QRadioButton(QStringLiteral("All pages"), Frame2);
  optAll->setObjectName(QStringLiteral("optAll"));
  PlaceTwips(optAll, 240, 720, 2535, 375);
  optFrom = new QRadioButton(QStringLiteral("From"), Frame2);
  optFrom->setObjectName(QStringLiteral("optFrom"));
  PlaceTwips(optFrom, 240, 1200, 855, 375);
  txtFrom = new QLineEdit(Frame2);
  txtFrom->setObjectName(QStringLiteral("txtFrom"));
  PlaceTwips(txtFrom, 1110, 1200, 615, 375);
  Label2 = new QLabel(QStringLiteral("to"), Frame2);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  PlaceTwips(Label2, 1725, 1200, 480, 375);
  txtTo = new QLineEdit(Frame2);
  txtTo->setObjectName(QStringLiteral("txtTo"));
  PlaceTwips(txtTo, 2205, 1200, 615, 375);
  optSingle->setChecked(true);

  OKButton = new QPushButton(QStringLiteral("Print"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  PlaceTwips(OKButton, 3360, 240, 1215, 375);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  PlaceTwips(CancelButton, 3360, 720, 1215, 375);

  connect(OKButton, &QPushButton::clicked, this, &frm_PrintAll::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &frm_PrintAll::CancelButton_Click);
}

void frm_PrintAll::showEvent(QShowEvent* e) {
  const PrintRangeTexts range = PrintRangeDefaults(commands_ ? commands_->ListCount() : 0);
  txtFrom->setText(range.fromText);
  txtTo->setText(range.toText);
  QDialog::showEvent(e);
}

void frm_PrintAll::OKButton_Click() {
  PrintRunRequest request;
  request.choice = optAll->isChecked()    ? PrintChoice::AllPages
                   : optFrom->isChecked() ? PrintChoice::FromTo
                                          : PrintChoice::CurrentReport;
  request.fromText = txtFrom->text();
  request.toText = txtTo->text();
  // A range it refuses leaves the dialog open to mend it.
  if (commands_ && !commands_->StartRun(request)) return;
  hide();
}

void frm_PrintAll::CancelButton_Click() { hide(); }

}  // namespace qw
