#include "results/ui/frm_print.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

#include "platform/program.h"
#include "results/ui/shell_links.h"

namespace qw {
namespace {

FrmPrint*& TheInstance() {
  static FrmPrint* instance = nullptr;
  return instance;
}

}  // namespace

FrmPrint* FrmPrint::Instance() {
  if (!TheInstance()) {
    TheInstance() = new FrmPrint;
    TheInstance()->Form_Load();
  }
  return TheInstance();
}

FrmPrint* FrmPrint::Loaded() { return TheInstance(); }

FrmPrint::FrmPrint() {
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
    connect(option, &QRadioButton::clicked, this, &FrmPrint::Option_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &FrmPrint::cmdPrint_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &FrmPrint::cmdCancel_Click);
}

FrmPrint::~FrmPrint() {
  if (TheInstance() == this) TheInstance() = nullptr;
}

void FrmPrint::Rescale(float x, float y) {
  LastScaleX = x;
  LastScaleY = y;
  ScaleForm(x, y, this);
}

void FrmPrint::Form_Load() {
  DesignWidth = 800;
  DesignHeight = 600;
  RePosFormFlag() = true;
  DoResizeFlag() = false;
  ScreenMetrics& metrics = SharedScreenMetrics();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen ? screen->geometry().size() : QSize(DesignWidth, DesignHeight);
  metrics.twipsX = kTwipsPerPixel;
  metrics.twipsY = kTwipsPerPixel;
  metrics.pixelsY = int(std::lround(double(pixels.height() * kTwipsPerPixel) / metrics.twipsY));
  metrics.pixelsX = int(std::lround(double(pixels.width() * kTwipsPerPixel) / metrics.twipsX));
  Rescale(float(metrics.pixelsX) / float(DesignWidth), float(metrics.pixelsY) / float(DesignHeight));
  LastHeight = PixelsToTwips(height());
  LastWidth = PixelsToTwips(width());
}

bool FrmPrint::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Activated = true;
  return QDialog::event(e);
}

void FrmPrint::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  Form_Resize();
}

void FrmPrint::Form_Resize() {
  if (Activated || LastWidth == 0) return;
  if (!DoResizeFlag()) {
    DoResizeFlag() = true;  // the first resize only arms the rescale
    return;
  }
  RePosFormFlag() = false;
  const long w = PixelsToTwips(width());
  const long h = PixelsToTwips(height());
  Rescale(float(w) / float(LastWidth), float(h) / float(LastHeight));
  LastHeight = h;
  LastWidth = w;
}

void FrmPrint::Option_Click() { cmdPrint->setVisible(true); }

void FrmPrint::cmdCancel_Click() {
  TheInstance() = nullptr;
  hide();
  deleteLater();
}

void FrmPrint::cmdPrint_Click() {}

// Nothing here prints: the marina, its notes or both are printed from the
// report viewer, and an empty page helps nobody.
void FrmPrint::cmdPrint1_Click() {}

}  // namespace qw
