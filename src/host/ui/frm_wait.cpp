#include "host/ui/frm_wait.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

// A small hourglass of 19 x 24 pixels, drawn once: the window is loaded
// afresh for every search.
QPixmap DrawHourglass() {
  QPixmap pixmap(19, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(160, 110, 40));
  p.drawRect(1, 0, 16, 2);
  p.drawRect(1, 21, 16, 2);
  p.setBrush(QColor(240, 240, 255));
  const QPointF glass[] = {{3, 3}, {15, 3}, {10, 11.5}, {15, 20}, {3, 20}, {8, 11.5}};
  p.drawPolygon(glass, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 180, 90));
  const QPointF sand[] = {{5, 19}, {13, 19}, {9, 14}};
  p.drawPolygon(sand, 3);
  return pixmap;
}

const QPixmap& HourglassPicture() {
  static const QPixmap picture = DrawHourglass();
  return picture;
}

}  // namespace

frmWait::frmWait(QWidget* parent)
    : QDialog(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("frmWait"));
  setWindowTitle(QString());
  UseFixedFrame(this);
  setAttribute(Qt::WA_DeleteOnClose);
  // The screen that runs the search stays the active one: taking the
  // activation would have the whole screen drawn twice over (inactive, then
  // active again) for a window that is up only while input waits anyway.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setModal(false);
  setFixedSize(TwipsToPixels(3330), TwipsToPixels(1275));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Light));
  setPalette(pal);

  picWait = new QLabel(this);
  picWait->setObjectName(QStringLiteral("picWait"));
  picWait->setGeometry(TwipsRect(120, 120, 405, 405));
  picWait->setAlignment(Qt::AlignCenter);
  picWait->setPixmap(HourglassPicture());

  lblWait = new QLabel(QStringLiteral("Searching... Please Wait."), this);
  lblWait->setObjectName(QStringLiteral("lblWait"));
  lblWait->setGeometry(TwipsRect(792, 216, 2232, 312));
  QPalette text = lblWait->palette();
  text.setColor(QPalette::WindowText, QColor(192, 0, 0));
  lblWait->setPalette(text);

  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setGeometry(TwipsRect(2280, 828, 1000, 375));
  connect(cmdCancel, &QPushButton::clicked, this, &frmWait::cmdCancel_Click);
  CentreOnScreen(this);
}

void frmWait::cmdCancel_Click() { close(); }

void frmWait::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (windowHandle() && windowHandle()->isExposed()) painted_ = true;
}

}  // namespace qw
