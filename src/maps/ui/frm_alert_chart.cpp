#include "maps/ui/frm_alert_chart.h"

#include <QLabel>
#include <algorithm>
#include <QPushButton>

#include "data/marina_db.h"
#include "maps/map_lists.h"
#include "platform/message_box.h"
#include "platform/ui/check_box.h"
#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

int& CheckState() {
  static int value = 0;
  return value;
}

QLabel* Line(const QString& text, const QString& name, QRect rect, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(rect);
  return label;
}

}  // namespace

Frmalertchart::Frmalertchart() : QDialog(MainWindowOrNull()) {
  setObjectName(QStringLiteral("Frmalertchart"));
  setWindowTitle(maps::kAlertChartCaption);
  setWindowFlags(Qt::Dialog);
  UseFixedFrame(this);
  setModal(true);
  Label1 = Line(maps::kAlertChartLines[0], QStringLiteral("Label1"), TwipsRect(120, 120, 3975, 255), this);
  Label2 = Line(maps::kAlertChartLines[1], QStringLiteral("Label2"), TwipsRect(120, 360, 3495, 255), this);
  Label3 = Line(maps::kAlertChartLines[2], QStringLiteral("Label3"), TwipsRect(120, 600, 3495, 255), this);
  Chalert = new CheckBox(maps::kAlertChartCheckCaption, this);
  Chalert->setObjectName(QStringLiteral("Chalert"));
  PlaceTwips(Chalert, 120, 960, 2655, 255);
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  PlaceTwips(OKButton, 3120, 840, 615, 375);
  OKButton->setDefault(true);
  // Texts keep their whole length in whatever font the desktop gives them:
  // the lines and the check box grow to their text, the button keeps clear of
  // the check box, and the window takes what they need.
  int right = TwipsToPixels(4095);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, Chalert}) {
    w->resize(std::max(w->width(), w->sizeHint().width()), w->height());
    right = std::max(right, w->x() + w->width() + 8);
  }
  OKButton->move(std::max(OKButton->x(), Chalert->x() + Chalert->width() + 12), OKButton->y());
  right = std::max(right, OKButton->x() + OKButton->width() + 8);
  setFixedSize(right, TwipsToPixels(1305));
  connect(Chalert, &QCheckBox::clicked, this, &Frmalertchart::Chalert_Click);
  connect(OKButton, &QPushButton::clicked, this, &Frmalertchart::OKButton_Click);
  CentreOnScreen(this);
}

int Frmalertchart::chkalert() { return CheckState(); }

void Frmalertchart::setChkalert(int value) { CheckState() = value; }

void Frmalertchart::Chalert_Click() { setChkalert(Chalert->Value() == 1 ? 1 : 0); }

void Frmalertchart::OKButton_Click() {
  const maps::HintWrite result =
      maps::WriteChartHint(Chalert->Value() == 1, chkalert(), [] { return OpenMarinaDatabase(2, false); });
  if (result.outcome == maps::HintWrite::Outcome::ReadOnly)
    MsgBox(maps::kReadOnlyDatabaseMessage, MsgButtons::OK, MsgIcon::Information);
  else if (result.outcome == maps::HintWrite::Outcome::Failed)
    MsgBox(maps::kHintNotStoredMessage + result.error, MsgButtons::OK, MsgIcon::Exclamation);
  accept();
}

void ShowAlertChart() {
  Frmalertchart::Unload();
  Frmalertchart::Instance()->exec();
  Frmalertchart::Unload();
}

}  // namespace qw
