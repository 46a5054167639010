#pragma once
// frmSplash: the second window of the start, with the browser-engine check,
// the configuration file and the intro; it ends by showing the main window.
// Also the start's timers and the engine-version check it asks.
#include <QWidget>
#include <functional>

#include "host/ui/window_host.h"

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
// Asked once the settings name the database: false when another running copy
// of the program uses the same database. The program installs it; without it
// nothing is refused.
std::function<bool()>& DatabaseGuard();

class frmSplash : public QWidget, public OneInstance<frmSplash> {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  // The browser check, the configuration file and the intro. Ends the program
  // on a browser version other than "6", and when another running copy uses
  // the database the settings name.
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

// Loads the splash (Form_Load) and shows it maximised.
frmSplash* ShowSplash();

}  // namespace qw
