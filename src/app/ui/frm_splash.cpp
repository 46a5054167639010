#include "app/ui/frm_splash.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include "app/ui/clickable_label.h"
#include "app/ui/intro_player.h"
#include "app/ui/mdi_frm_main.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/ui/twips.h"
#include "services/config_file.h"
#include "services/error_handler.h"
#include "services/settings.h"

namespace qw {

StartTimings& StartTimers() {
  static StartTimings timings;
  return timings;
}

QString GetIEVersion() { return MajorVersionText(QString::fromLatin1(qWebEngineVersion())); }

std::function<QString()>& BrowserVersionSource() {
  static std::function<QString()> source = [] { return GetIEVersion(); };
  return source;
}

std::function<void()>& OpenBrowserDownloadPage() {
  static std::function<void()> open = [] {
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://www.qt.io/download-open-source")));
  };
  return open;
}

std::function<bool()>& DatabaseGuard() {
  static std::function<bool()> guard;
  return guard;
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  resize(TwipsToPixels(12000), TwipsToPixels(9000));

  SFlash = new IntroPlayer(this);

  Picture1 = new QWidget(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setAutoFillBackground(true);
  Picture1->setPalette(pal);
  Picture1->resize(TwipsToPixels(1095), TwipsToPixels(495));

  Lblskipintro = new ClickableLabel(QStringLiteral("   Skip Intro"), Picture1);
  Lblskipintro->setObjectName(QStringLiteral("Lblskipintro"));
  Lblskipintro->setGeometry(TwipsRect(0, 240, 975, 495));
  Lblskipintro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette text = pal;
  text.setColor(QPalette::WindowText, QColor(255, 255, 192));
  Lblskipintro->setPalette(text);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  Lblskipintro->setFont(font);
  const QPixmap pointer(ProgramFolder() + QStringLiteral("/pictures/pointer.png"));
  Lblskipintro->setCursor(pointer.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pointer, 0, 0));
  connect(Lblskipintro, &ClickableLabel::clicked, this, &frmSplash::Lblskipintro_Click);
  Picture1->raise();

  // Counts from the splash's loading, to the millisecond: a coarse timer
  // could end the intro and show the start choice up to 5 % early.
  Timerflash = new QTimer(this);
  Timerflash->setSingleShot(true);
  Timerflash->setTimerType(Qt::PreciseTimer);
  Timerflash->setInterval(StartTimers().intro);
  connect(Timerflash, &QTimer::timeout, this, &frmSplash::Timerflash_Timer);
  Timerflash->start();
}

void frmSplash::Form_Load() {
  if (!BrowserVersionAccepted(BrowserVersionSource()())) {
    // The start goes no further while the question is open: the intro's
    // timer must not bring up the main window behind it.
    Timerflash->stop();
    const MsgResult answer = Ask(Question::DownloadBrowser,
                                 QStringLiteral("Your machine does not have proper version of IE. Do you want to "
                                                "download Internet Explorer6.0?"),
                                 MsgIcon::None, QStringLiteral("VykMarina"));
    if (answer == MsgResult::Yes) OpenBrowserDownloadPage()();
    EndProgram(0);
  }
  ReadIniFile(FindFileNoCase(ProgramFolder(), kIniFileName), Settings());
  Settings().DatabaseFileName = QStringLiteral("marina.mdb");
  // One copy to a database, from whatever folder it runs: two would store
  // notes over each other's.
  if (DatabaseGuard() && !DatabaseGuard()()) {
    Timerflash->stop();
    MsgBox(kAlreadyRunningMessage, MsgButtons::OK, MsgIcon::Information);
    EndProgram(0);
  }
  SFlash->SetMovie(IntroPlayer::FindIntro(ProgramFolder()));
}

void frmSplash::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmSplash::Form_Resize() {
  SFlash->setGeometry(rect());
  // The skip box sits in the lower right corner; its size does not change.
  const float w = static_cast<float>(width());
  const float h = static_cast<float>(height());
  Picture1->move(static_cast<int>(w * 2.8f / 3.0f), static_cast<int>(h * 2.8f / 3.0f));
  Picture1->raise();
}

void frmSplash::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!ended_) EndProgram(0);
}

void frmSplash::Lblskipintro_Click() { EndIntro(); }

void frmSplash::Timerflash_Timer() { EndIntro(); }

void frmSplash::EndIntro() {
  if (ended_) return;
  ended_ = true;
  Timerflash->stop();
  try {
    ShowMainWindow();
  } catch (const std::exception& e) {
    // Without its main window the program has nothing to go on with.
    ErrorHandler(QStringLiteral("frmSplash"), QStringLiteral("EndIntro"), RuntimeError::From(e));
    EndProgram(1);
  }
  close();
}

frmSplash* ShowSplash() {
  frmSplash* splash = frmSplash::Instance();
  // A borderless window covering the screen: some window managers do not
  // maximise splash windows, so it is also given the screen's size.
  if (QScreen* screen = QGuiApplication::primaryScreen()) splash->setGeometry(screen->geometry());
  splash->showMaximized();
  return splash;
}

}  // namespace qw
