#include "app/ui/frm_logo.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include "app/ui/frm_splash.h"
#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"

namespace qw {

frmLogo::frmLogo(QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmLogo"));
  setWindowTitle(QString());
  UseFixedFrame(this);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(TwipsToPixels(3720), TwipsToPixels(4470));
  Picture1 = new QLabel(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setGeometry(TwipsRect(0, 0, 3750, 4470));
  Picture1->setAlignment(Qt::AlignCenter);
  const QPixmap logo(ProgramFolder() + QStringLiteral("/pictures/logo.png"));
  if (!logo.isNull())
    Picture1->setPixmap(logo.scaled(Picture1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);
  // A coarse timer may run out up to 5 % early or late; the logo shows for
  // its full time.
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(StartTimers().logo);
  connect(Timer1, &QTimer::timeout, this, &frmLogo::Timer1_Timer);
  Timer1->start();
  CentreOnScreen(this);
}

void frmLogo::Timer1_Timer() {
  ShowSplash();
  Timer1->stop();
  close();
}

void frmLogo::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (Timer1->isActive()) EndProgram(0);
}

frmLogo* ShowLogo() {
  frmLogo* logo = frmLogo::Instance();
  logo->show();
  return logo;
}

}  // namespace qw
