#include "app/ui/wait_windows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/ui/clickable_label.h"
#include "app/ui/main_window.h"

namespace qw {
namespace {

QPointer<frmWait>& WaitInstance() {
  static QPointer<frmWait> window;
  return window;
}

void CentreOnScreen(QWidget* w) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
  }
}

// A small hourglass of 19 x 24 pixels.
QPixmap HourglassPicture() {
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

}  // namespace

frmWait::frmWait(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmWait"));
  setWindowTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose);
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

frmWait* ShowWaitWindow() {
  UnloadWaitWindow();
  // Owned by the main window so that it stays off the task bar.
  WaitInstance() = new frmWait(MainWindowExists() ? MainWindow() : nullptr);
  frmWait* w = WaitInstance();
  w->show();
  w->raise();
  w->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return w;
}

void UnloadWaitWindow() {
  if (WaitInstance()) {
    WaitInstance()->close();
    WaitInstance() = nullptr;
  }
}

frmWait* CurrentWaitWindow() { return WaitInstance(); }

int& frmprogress::TimerInterval() {
  static int interval = 100;
  return interval;
}

frmprogress::frmprogress(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmprogress"));
  setWindowTitle(QString());
  setFixedSize(TwipsToPixels(4620), TwipsToPixels(885));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(128, 255, 255));
  setPalette(pal);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(TwipsRect(0, 240, 4695, 375));

  Timer1 = new QTimer(this);
  Timer1->setInterval(TimerInterval());
  connect(Timer1, &QTimer::timeout, this, &frmprogress::Timer1_Timer);
  Timer1->start();
  CentreOnScreen(this);
}

void frmprogress::Timer1_Timer() {
  ProgressBar1->setValue(ProgressBar1->value() + 10);
  if (ProgressBar1->value() == 100) {
    Timer1->stop();
    accept();
  }
}

void ShowProgressModal() {
  frmprogress progress(MainWindowExists() ? MainWindow() : nullptr);
  progress.exec();
}

}  // namespace qw
