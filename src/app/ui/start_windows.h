#pragma once
// The start of the program: the logo window, then the splash with the
// browser-engine check, the configuration file and the intro, then the main
// window.
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace qw {

class ClickableLabel;
class IntroPlayer;

// The start timers (ms); tests shorten them.
struct StartTimings {
  int logo = 3000;
  int intro = 7750;
};
StartTimings& StartTimers();

// The major version of the browser engine in use ("6" for Qt WebEngine 6.x).
QString GetIEVersion();
// Where the splash asks for that version (tests feed other answers).
std::function<QString()>& BrowserVersionSource();
// Opens the engine's download page (tests replace it).
std::function<void()>& OpenBrowserDownloadPage();

class frmLogo : public QWidget {
  Q_OBJECT
 public:
  explicit frmLogo(QWidget* parent = nullptr);
  void Timer1_Timer();

  QLabel* Picture1 = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  // Closed by the user before the splash came: no window is left, so the
  // program ends.
  void closeEvent(QCloseEvent* event) override;
};

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  // The browser check, the configuration file and the intro. Ends the program
  // on a browser version other than "6".
  void Form_Load();
  void Form_Resize();
  void Lblskipintro_Click();
  void Timerflash_Timer();

  IntroPlayer* SFlash = nullptr;
  QWidget* Picture1 = nullptr;
  ClickableLabel* Lblskipintro = nullptr;
  QTimer* Timerflash = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Closed (Alt+F4) before the intro ended: the program ends.
  void closeEvent(QCloseEvent* event) override;

 private:
  void EndIntro();
  bool ended_ = false;
};

// Shows the logo window: the program's first window.
frmLogo* ShowLogo();
// Loads the splash (Form_Load) and shows it maximised.
frmSplash* ShowSplash();

}  // namespace qw
