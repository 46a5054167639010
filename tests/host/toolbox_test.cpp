#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/toolbox.h"

namespace qw {
namespace {

// Expected state: 'o' on, 'x' off, '-' kept (checked from both an all-on and
// an all-off start), for buttons 1..13 then menus Open, Save, Find, Show, Search.
void ExpectChange(const std::function<ToolBoxState(ToolBoxState)>& change, const std::string& what,
                  const char* buttons, const char* menus) {
  for (bool start : {true, false}) {
    ToolBoxState from;
    from.buttons.fill(start);
    from.menus.fill(start);
    const ToolBoxState to = change(from);
    for (int i = 1; i <= kToolbarButtonCount; ++i) {
      const char want = buttons[i - 1];
      const bool expected = want == '-' ? start : want == 'o';
      EXPECT_EQ(to.Button(i), expected) << what << " button " << i << " start " << start;
    }
    for (int m = 0; m < kToolMenuCount; ++m) {
      const char want = menus[m];
      const bool expected = want == '-' ? start : want == 'o';
      EXPECT_EQ(to.menus[m], expected) << what << " menu " << m << " start " << start;
    }
  }
}

void ExpectMode(int mode, const char* buttons, const char* menus) {
  ExpectChange([mode](ToolBoxState s) { return ToolBoxForMode(static_cast<ScreenKind>(mode), s); },
               "mode " + std::to_string(mode), buttons, menus);
}

TEST(ToolBox, TableForEveryMode) {
  //             buttons 1..13     menus O S F Sh Search
  ExpectMode(0, "ooxooxxo--ox-", "oooox");
  ExpectMode(1, "xxoxxoox--xx-", "xxxxo");
  ExpectMode(2, "xxoxxxxoooxoo", "xxxxo");
  // An unknown mode only switches the common ones off.
  ExpectMode(3, "xxxxxxxx---x-", "xxxxx");
  ExpectMode(-1, "xxxxxxxx---x-", "xxxxx");
}

TEST(ToolBox, ChangesWhenAScreenCloses) {
  //                                                       buttons 1..13     menus O S F Sh Search
  ExpectChange(ToolBoxForListUnload, "list unloaded", "ooooo--------", "oooo-");
  // The search screen closed by the user: Back to Search brings it back.
  ExpectChange(ToolBoxForSearchClosed, "search closed", "xxoxx--------", "xxxxo");
}

TEST(ToolBox, StartChoiceLeavesHelpAndExitOn) {
  const ToolBoxState s = ToolBoxForStartChoice(ToolBoxState::AllOn());
  for (int i = 1; i <= kToolbarButtonCount; ++i) {
    const bool on = i == 8 || i == 9 || i == 10 || i == 13;
    EXPECT_EQ(s.Button(i), on) << i;
  }
  for (bool menu : s.menus) EXPECT_FALSE(menu);
}

}  // namespace
}  // namespace qw
