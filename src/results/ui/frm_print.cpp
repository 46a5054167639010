#include "results/ui/frm_print.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

#include "platform/program.h"

namespace qw {
frmPrint::frmPrint() {
  setObjectName(QStringLiteral("frmPrint"));
  setWindowTitle(QStringLiteral("Print Marina"));
  resize(TwipsToPixels(4095), TwipsToPixels(2700));

  fraPrint = new QGroupBox(QStringLiteral("Choose An Option."), this);
  fraPrint->setObjectName(QStringLiteral("fraPrint"));
  fraPrint->setGeometry(TwipsToPixels(240), TwipsToPixels(120), TwipsToPixels(3615), TwipsToPixels(1575));
  optMarina = new QRadioButton(QStringLiteral("Print Marina"), fraPrint);
  optMarina->setObjectName(QStringLiteral("optMarina"));
  optMarina->setGeometry(TwipsToPixels(360), TwipsToPixels(300), TwipsToPixels(3000), TwipsToPixels(315));
  optNotes = new QRadioButton(QStringLiteral("Print Notes"), fraPrint);
  optNotes->setObjectName(QStringLiteral("optNotes"));
  optNotes->setGeometry(TwipsToPixels(360), TwipsToPixels(690), TwipsToPixels(3000), TwipsToPixels(315));
  optMarinaNotes = new QRadioButton(QStringLiteral("Print Marina and Notes"), fraPrint);
  optMarinaNotes->setObjectName(QStringLiteral("optMarinaNotes"));
  optMarinaNotes->setGeometry(TwipsToPixels(360), TwipsToPixels(1080), TwipsToPixels(3000), TwipsToPixels(315));

  cmdPrint = new QPushButton(QStringLiteral("&Print"), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint->setGeometry(TwipsToPixels(840), TwipsToPixels(1920), TwipsToPixels(1215), TwipsToPixels(375));
  cmdPrint->setVisible(false);  // until an option is chosen
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setGeometry(TwipsToPixels(2160), TwipsToPixels(1920), TwipsToPixels(1215), TwipsToPixels(375));

  for (QRadioButton* option : {optMarina, optNotes, optMarinaNotes})
    connect(option, &QRadioButton::clicked, this, &frmPrint::Option_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &frmPrint::cmdPrint_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmPrint::cmdCancel_Click);
}

frmPrint::~frmPrint() = default;

void frmPrint::Form_Load() {
  DesignWidth = 800;
  DesignHeight = 600;
  RePosForm() = true;
  DoResize() = false;
  ScreenMetrics& metrics = SharedScreenMetrics();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen ? screen->geometry().size() : QSize(DesignWidth, DesignHeight);
  metrics.twipsX = kTwipsPerPixel;
  metrics.twipsY = kTwipsPerPixel;
  metrics.pixelsY = int(std::lround(double(pixels.height() * kTwipsPerPixel) / metrics.twipsY));
  metrics.pixelsX = int(std::lround(double(pixels.width() * kTwipsPerPixel) / metrics.twipsX));
  ResizeForm(float(metrics.pixelsX) / float(DesignWidth), float(metrics.pixelsY) / float(DesignHeight), this);
  LastHeight = PixelsToTwips(height());
  LastWidth = PixelsToTwips(width());
}

void frmPrint::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  Form_Resize();
}

void frmPrint::Form_Resize() {
  if (Activated || LastWidth == 0) return;
  if (!DoResize()) {
    DoResize() = true;  // the first resize only arms the rescale
    return;
  }
  RePosForm() = false;
  const long w = PixelsToTwips(width());
  const long h = PixelsToTwips(height());
  ResizeForm(float(w) / float(LastWidth), float(h) / float(LastHeight), this);
  LastHeight = h;
  LastWidth = w;
}

void frmPrint::Option_Click() { cmdPrint->setVisible(true); }

void frmPrint::cmdCancel_Click() { Unload(); }

void frmPrint::cmdPrint_Click() {}

// Nothing here prints: the marina, its notes or both are printed from the
// report viewer, and an empty page helps nobody.
void frmPrint::cmdPrint1_Click() {}

}  // namespace qw
