#include "host/toolbox.h"

#include <initializer_list>

namespace qw {
namespace {
void SetButtons(ToolBoxState& s, std::initializer_list<int> indexes, bool on) {
  for (int i : indexes) s.Button(i) = on;
}
void SetMenus(ToolBoxState& s, std::initializer_list<ToolMenu> menus, bool on) {
  for (ToolMenu m : menus) s.Menu(m) = on;
}
}  // namespace

ToolBoxState ToolBoxState::AllOn() {
  ToolBoxState s;
  s.buttons.fill(true);
  s.menus.fill(true);
  return s;
}

ToolBoxState ToolBoxForMode(ScreenKind screenMode, ToolBoxState s) {
  SetButtons(s, {1, 2, 3, 4, 5, 6, 7, 8, 12}, false);
  SetMenus(s, {ToolMenu::Open, ToolMenu::Save, ToolMenu::Find, ToolMenu::Show, ToolMenu::Search}, false);
  switch (screenMode) {
    case ScreenKind::Search:
      SetButtons(s, {1, 2, 4, 5, 11, 8}, true);
      SetMenus(s, {ToolMenu::Open, ToolMenu::Save, ToolMenu::Find, ToolMenu::Show}, true);
      break;
    case ScreenKind::List:
      SetButtons(s, {3, 6, 7}, true);
      s.Button(11) = false;
      s.Menu(ToolMenu::Search) = true;
      break;
    case ScreenKind::Map:
      SetButtons(s, {3, 8, 9, 10, 12}, true);
      s.Menu(ToolMenu::Search) = true;
      s.Button(11) = false;
      s.Button(13) = true;
      break;
    default:
      break;
  }
  return s;
}

ToolBoxState ToolBoxForStartChoice(ToolBoxState s) {
  SetButtons(s, {1, 2, 3, 4, 5, 6, 7, 11, 12}, false);
  SetMenus(s, {ToolMenu::Open, ToolMenu::Save, ToolMenu::Find, ToolMenu::Show, ToolMenu::Search}, false);
  return s;
}

ToolBoxState ToolBoxForListUnload(ToolBoxState s) {
  SetButtons(s, {1, 2, 3, 4, 5}, true);
  SetMenus(s, {ToolMenu::Open, ToolMenu::Save, ToolMenu::Find, ToolMenu::Show}, true);
  return s;
}

ToolBoxState ToolBoxForSearchClosed(ToolBoxState s) {
  SetButtons(s, {1, 2, 4, 5}, false);
  SetButtons(s, {3}, true);
  SetMenus(s, {ToolMenu::Open, ToolMenu::Save, ToolMenu::Find, ToolMenu::Show}, false);
  SetMenus(s, {ToolMenu::Search}, true);
  return s;
}

}  // namespace qw
