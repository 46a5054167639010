#pragma once
// How the desktop shows the program's windows.
//
// The frame the desktop draws around a small fixed window of the program (the
// logo, the wait and progress windows, the sub-region picker): a border and a
// title bar holding the window's caption as given, nothing at all when the
// caption is empty, and a close button; no minimise or maximise buttons.
//
// Qt's window hints ask for this, but two things stand in the way on X11:
// an empty caption goes to the desktop as the program's name, and Openbox
// draws minimise buttons whatever the hints say except on toolbar windows.
// The adapter sets the window's name and, under Openbox, its window type
// itself each time the window is shown or its caption changes. Where no
// window manager runs, the program draws the caption and the close button
// itself (DrawCaptionWithoutWindowManager).
#include <functional>

class QWidget;

namespace qw {

// Sets the window's flags (keeping its kind: window, dialog or tool window)
// and keeps its native frame as described above; without a window manager
// the program draws its caption and close button.
void UseFixedFrame(QWidget* window);

// Without a window manager nothing draws a window's caption and close button,
// and a fixed dialog could be told from no other nor closed but by its own
// buttons. From this call on, each time the window is shown while none runs,
// a strip of the program's own lies along the window's top edge, outside
// it: the caption, and a close button that closes the window as the desktop's
// would (its close handling runs, and may refuse). Dragging the strip moves
// the window.
void DrawCaptionWithoutWindowManager(QWidget* window);

// The desktop's close gestures, which a bare display without a window manager
// does not offer: Escape, Ctrl+W, Alt+F4 and the platform's own Close keys
// close the window (its close handling runs). For windows; a dialog's Escape
// is its own.
void CloseByKeys(QWidget* window);

// When the window closes while it has the keyboard, the keyboard goes back to
// the window `to` names then (none: nowhere), also where no window manager
// passes it on; unless another window of the program has taken it meanwhile.
void ReturnKeyboardOnClose(QWidget* window, std::function<QWidget*()> to);

// Every dialog of the program, the toolkit's own among them (the print
// dialog's file chooser, the questions of a file dialog), from this call on:
// without a window manager it shows the caption strip of
// DrawCaptionWithoutWindowManager; when it closes with the keyboard, the
// keyboard goes back to the window that had it when the dialog opened (or to
// a modal dialog still open), also where no window manager passes it on.
void LookAfterDialogs();

// Gives a window of the program the keyboard, also where no window manager
// passes it on.
void GiveKeyboardTo(QWidget* window);

// Shows a top-level window over the screen's free area: maximised, which a
// window manager fits inside its frame (restored, the window takes the size
// and place it had been given); without one, given that area itself.
void ShowMaximised(QWidget* window);

// Whether the window can be seen now: exposed, and on X11 viewable, that is
// mapped inside a frame that the window manager has mapped too (what it draws
// before that is lost).
bool IsOnScreen(QWidget* window);

// Whether a window manager runs on the display: on X11 a client that
// redirects the mapping of top-level windows; elsewhere the platform places
// windows itself, so always true.
bool HasWindowManager();

// Without a window manager nothing raises the window the user clicks into:
// a window opened over another one would stay above it for good, and every
// window opened later behind it. From this call on, while no window manager
// runs, a window of the program that becomes active is raised, with the
// windows it owns above it and an open modal dialog above all.
void RaiseActiveWindowsWithoutWindowManager();

// A window owned by another (a key list over the map it belongs to) is
// nevertheless covered by its owner when the user clicks into the owner, as
// a window of its own would be, while no window manager runs.
void LetOwnerCover(QWidget* window);

// Tests: while one lives, a window manager is taken as running or not; the
// display is asked again afterwards.
class AssumeWindowManager {
 public:
  explicit AssumeWindowManager(bool running);
  ~AssumeWindowManager();
  AssumeWindowManager(const AssumeWindowManager&) = delete;
  AssumeWindowManager& operator=(const AssumeWindowManager&) = delete;
};

}  // namespace qw
