#pragma once
// MDIFrmMain: the main window that frames every screen, with its menus, the
// 13-button toolbar and the screen-mode table.
#include <QMainWindow>
#include <array>
#include <functional>

#include "host/toolbox.h"
#include "host/ui/window_host.h"
#include "platform/message_box.h"

class QAction;
class QMdiArea;
class QToolBar;

namespace qw {

// The one instance is created on first use (MDIFrmMain::Instance()) but loads
// only when it is first shown (ShowMainWindow), so that windows and tests can
// use it as a frame without the start choice coming up. It registers itself
// with the window host as the frame of every screen.
class MDIFrmMain : public QMainWindow, public OneInstance<MDIFrmMain>, public MainWindowFrame {
  Q_OBJECT
 public:
  explicit MDIFrmMain(QWidget* parent = nullptr);
  // Deletes the main window at once, with every window inside it.
  static void Unload();

  // Switches the buttons and menu items for the current ScreenMode().
  void UpdateToolBox() override;
  // The edition title from the first line of the configuration file. Throws
  // std::runtime_error when it cannot be read.
  QString Parse_String_Edition();

  // Toolbar1's buttons by 1-based index (nullptr outside 1..13).
  QAction* ToolbarButton(int index) const;
  QToolBar* Toolbar1() const { return toolbar_; }
  QMdiArea* MdiArea() const override { return mdiArea_; }

  // The enabled state of the buttons and switched menu items, and setting it.
  ToolBoxState CurrentToolBoxState() const override;
  void ApplyToolBoxState(const ToolBoxState& state) override;

  // The common file dialog: given whether it saves, returns the chosen file
  // name or "" when cancelled. Tests replace it.
  std::function<QString(bool save)> CommonDialog1;

  // Event handlers.
  void MDIForm_Load();
  bool IsLoaded() const { return loaded_; }
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuExit_Click();
  void mnuSearch_Click();
  void mnuFind_Click();
  void mnuShow_Click();
  void mnuContents_Click();
  void mnuAbout_Click();
  void Toolbar1_ButtonClick(int index);

  QAction* mnuOpen = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuExit = nullptr;
  QAction* mnuSearch = nullptr;
  QAction* mnuFind = nullptr;
  QAction* mnuShow = nullptr;
  QAction* mnuContents = nullptr;
  QAction* mnuAbout = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Ends the program; false when notes that cannot be stored keep it open.
  bool EndProgramNow();
  // What Exit does before the program ends: false when the user keeps it
  // open for notes that cannot be stored.
  bool MayEnd();
  QAction* MenuAction(ToolMenu menu) const;
  // Shows message (icon) once this window is on the screen with the
  // keyboard, the splash gone; after kTellWithinMs whatever the desktop did.
  void TellOnceOnScreen(const QString& message, MsgIcon icon);
  static constexpr int kTellWithinMs = 5000;

  QMdiArea* mdiArea_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::array<QAction*, kToolbarButtonCount> buttons_{};
  bool loaded_ = false;
};

// Shows the main window maximised and runs its load once.
void ShowMainWindow();

}  // namespace qw
