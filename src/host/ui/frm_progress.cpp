#include "host/ui/frm_progress.h"

#include <QProgressBar>
#include <QTimer>

#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"

namespace qw {

int& frmprogress::TimerInterval() {
  static int interval = 100;
  return interval;
}

frmprogress::frmprogress(QWidget* parent)
    : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("frmprogress"));
  setWindowTitle(QString());
  UseFixedFrame(this);
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

}  // namespace qw
