#pragma once
// Which toolbar buttons and menu items of the main window are on for each
// screen: the state the main window's UpdateToolBox and the start choice apply.
#include <array>

#include "services/settings.h"

namespace qw {

inline constexpr int kToolbarButtonCount = 13;

// The menu items switched by screen.
enum class ToolMenu { Open, Save, Find, Show, Search };
inline constexpr int kToolMenuCount = 5;

struct ToolBoxState {
  std::array<bool, kToolbarButtonCount> buttons{};  // button i (1-based) at [i - 1]
  std::array<bool, kToolMenuCount> menus{};

  static ToolBoxState AllOn();
  bool Button(int index) const { return buttons[index - 1]; }
  bool& Button(int index) { return buttons[index - 1]; }
  bool Menu(ToolMenu m) const { return menus[static_cast<int>(m)]; }
  bool& Menu(ToolMenu m) { return menus[static_cast<int>(m)]; }
  bool operator==(const ToolBoxState&) const = default;
};

// The state after UpdateToolBox for the screen mode from the current one.
// Buttons the mode does not name keep their state; a number that names no
// screen only switches the common ones off.
ToolBoxState ToolBoxForMode(ScreenKind screenMode, ToolBoxState current);

// The state while the start choice is up: buttons 1-7, 11, 12 and the five
// menu items off, the rest as they were.
ToolBoxState ToolBoxForStartChoice(ToolBoxState current);

// The state after the result list unloads: buttons 1 to 5 and the menu items
// Open, Save, Find and Show on, the rest as they were.
ToolBoxState ToolBoxForListUnload(ToolBoxState current);

// The state after the user closes the search screen: the buttons and menu
// items that act on it (1, 2, 4, 5; Open, Save, Find, Show) off, Back to
// Search (button 3 and the Search menu item) on, the rest as they were.
ToolBoxState ToolBoxForSearchClosed(ToolBoxState current);

}  // namespace qw
