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
// itself each time the window is shown or its caption changes.
class QWidget;

namespace qw {

// Sets the window's flags (keeping its kind: window, dialog or tool window)
// and keeps its native frame as described above.
void UseFixedFrame(QWidget* window);

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

}  // namespace qw
