#pragma once
// The window host: what the windows of every subsystem (and the shell) stand
// on. Placing a window in the main window's MDI area, its frame, showing and
// unloading it, screen activation and the toolbar, the wait and
// print-progress windows, form scaling with its RePosForm/DoResize
// hand-shake, and the one instance of a window class (OneInstance). The main
// window belongs to the shell above; it registers itself here.
#include <QPointer>
#include <functional>

#include "host/form_scaling.h"
#include "host/toolbox.h"
#include "services/settings.h"

class QMdiArea;
class QWidget;

namespace qw {

class frmWait;

// ---------------------------------------------------------------------------
// The main window

// What the host asks of the main window, which implements it and registers
// itself when it is created (RegisterMainWindow).
class MainWindowFrame {
 public:
  // The MDI area the screens are placed in.
  virtual QMdiArea* MdiArea() const = 0;
  // Switches the buttons and menu items for the current ScreenMode().
  virtual void UpdateToolBox() = 0;
  // The enabled state of the buttons and switched menu items, and setting it.
  virtual ToolBoxState CurrentToolBoxState() const = 0;
  virtual void ApplyToolBoxState(const ToolBoxState& state) = 0;

 protected:
  ~MainWindowFrame() = default;
};

// Makes window, with frame its MainWindowFrame, the main window for as long
// as it exists.
void RegisterMainWindow(QWidget* window, MainWindowFrame* frame);

// ---------------------------------------------------------------------------
// Placing windows

// The main window as the owner of dialogs and tool windows; nullptr while it
// does not exist (never creates it).
QWidget* MainWindowOrNull();

// Centres a top-level window on the available area of the primary screen.
void CentreOnScreen(QWidget* window);

// Puts window into the main window's MDI area when the main window exists
// and the window is not there yet. Returns its frame: the MDI frame, or the
// window itself when it stays top-level.
QWidget* PlaceInMainWindow(QWidget* window);

// The frame a window is shown, hidden and maximised by: its MDI frame, or the
// window itself.
QWidget* FrameOf(QWidget* window);

// Shows a screen: placed in the main window, its frame shown (maximised when
// asked) and made the active child (so that its activation sets the
// toolbar), raised.
void ShowInMainWindow(QWidget* window, bool maximised = false);

// Closes a window with its frame (its close handling runs) and deletes both
// once control returns to the event loop.
void UnloadWindow(QWidget* window);

// Runs onActivate each time window becomes the active screen: the activation
// of its MDI frame while it is inside the main window, its own activation
// while it is top-level. Watches for the window's placement, whenever it
// comes.
void WatchActivation(QWidget* window, std::function<void()> onActivate);
// A top-level window of the program closes while it is the active window: the
// activation goes back to the main window, whose active screen becomes active
// again (its activation runs once the caller's handlers are done). The main
// window's frame itself stays active throughout, so nothing else tells it.
void ReturnActivationToMainWindow();

// ---------------------------------------------------------------------------
// Screen activation and the toolbar

// A main screen became active: ScreenMode() is set and the toolbar follows.
void ActivateScreen(ScreenKind screen);
// The main window's UpdateToolBox, when the main window exists.
void UpdateToolBox();
// Applies change to the toolbar buttons and menu items, when the main window
// exists.
void ChangeToolBox(ToolBoxState (*change)(ToolBoxState));

// ---------------------------------------------------------------------------
// Wait and progress windows

// Shows the wait window (loaded afresh) and returns once it is on the screen
// and drawn (or after kWaitWindowDrawLimitMs), so that it is seen while the
// caller's query blocks the event loop.
frmWait* ShowWaitWindow();
inline constexpr int kWaitWindowDrawLimitMs = 2000;
// Unloads the wait window (nothing when it is not loaded).
void UnloadWaitWindow();
// Shows a fresh progress window modally; returns when it has closed itself
// after its tenth step (it covers the loading of a page about to be printed).
// It stands over `over` when given (a window of its own, such as the report
// viewer, that the main window would otherwise be raised over), else over the
// main window.
void ShowPrintProgress(QWidget* over = nullptr);

// ---------------------------------------------------------------------------
// Form scaling (the flags RePosForm() and DoResize() are in form_scaling.h)

// Every control of frm whose left is greater than 0 is moved and sized by
// the factors (combo boxes keep their height) and its font scaled by their
// mean; the window itself too while RePosForm() is set.
void ResizeForm(float xScale, float yScale, QWidget* frm);

// The resize handling of a window that rescales itself: the hand-shake of
// ResizeEventFactors, then ResizeForm and the new size recorded.
void ResizeFormOnResize(QWidget* frm, FormSizeMemory& memory);

// The screen metrics the self-rescaling windows share.
struct ScreenMetrics {
  int twipsX = 15;
  int twipsY = 15;
  int pixelsX = 0;
  int pixelsY = 0;
};
ScreenMetrics& SharedScreenMetrics();

// ---------------------------------------------------------------------------
// The one instance of a window class

// Window classes derive from OneInstance<Self> and so get the one-instance
// access every window has:
//   Instance()  the one instance, created and loaded on first use;
//   Loaded()    the instance while it is loaded, else nullptr (never loads);
//   Unload()    unloads it (nothing when it is not loaded): Form_Unload runs,
//               then the window and its frame are closed and deleted.
// What a window declares (public) takes part:
//   static constexpr bool kMdiChild = true;  placed in the main window's MDI
//               area on creation, when the main window exists;
//   void Form_Load();      runs once, right after creation (and placement); a
//               load that throws leaves no instance behind;
//   void Form_Activate();  runs each time the window becomes the active screen
//               (WatchActivation);
//   void Form_Unload();    runs first when it is unloaded.
// A window may also be deleted directly (closed with Qt::WA_DeleteOnClose):
// it is then no longer loaded.
template <typename Form>
class OneInstance {
 public:
  static Form* Instance() {
    if (instance_) return instance_.data();
    Form* form = new Form();
    instance_ = form;
    if constexpr (requires { requires Form::kMdiChild; }) PlaceInMainWindow(form);
    if constexpr (requires { form->Form_Activate(); }) WatchActivation(form, [form] { form->Form_Activate(); });
    if constexpr (requires { form->Form_Load(); }) {
      try {
        form->Form_Load();
      } catch (...) {
        instance_ = nullptr;
        QWidget* frame = FrameOf(form);
        delete frame;
        throw;
      }
    }
    return form;
  }

  static Form* Loaded() { return instance_.data(); }

  static void Unload() {
    Form* form = instance_.data();
    if (!form) return;
    instance_ = nullptr;
    if constexpr (requires { form->Form_Unload(); }) form->Form_Unload();
    UnloadWindow(form);
  }

 protected:
  OneInstance() = default;
  ~OneInstance() = default;

 private:
  static inline QPointer<Form> instance_;
};

}  // namespace qw
