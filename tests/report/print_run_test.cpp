// The batch print run driven as the viewer drives it, its range checks, and
// the guarded print with its top margin.
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

#include "platform/message_box.h"
#include "report/print_run.h"
#include "services/page_setup.h"
#include "services/user_store.h"

namespace qw {
namespace {

using Choice = PrintChoice;

// The viewer: selecting an entry loads its page, every page loads and prints.
struct Viewer {
  int count = 0;
  int index = -1;
  std::vector<int> printed;  // 1-based entries, in print order
  int reloads = 0;

  void Run(PrintRun& run, PrintRunStep step) {
    while (step.action != PrintRunStep::Action::None && step.action != PrintRunStep::Action::Finished &&
           step.action != PrintRunStep::Action::Failed) {
      if (step.action == PrintRunStep::Action::PrintPage) {
        printed.push_back(index + 1);
        step = run.PrintFinished(true, index, count);
      } else {
        ASSERT_GE(step.entry, 0);
        ASSERT_LT(step.entry, count);
        index = step.entry;
        step = run.PageLoaded(true);
      }
    }
  }

  PrintRunStart Ok(PrintRun& run, const PrintRunRequest& request) {
    const PrintRunStart start = run.Start(request, count, index);
    if (start.action == PrintRunStart::Action::LoadEntry) {
      if (start.reload) ++reloads;
      index = start.entry;
      Run(run, run.PageLoaded(true));
    }
    return start;
  }
};

TEST(PrintRun, RangesAndSequences) {
  struct Case {
    const char* name;
    int count;
    int selected;  // 0-based
    PrintRunRequest request;
    std::vector<int> printed;
    int finalEntry;  // 1-based
    bool reload;
  };
  const Case cases[] = {
      {"one entry, all", 1, 0, {Choice::AllPages, "1", "1"}, {1}, 1, true},
      {"three entries, all", 3, 2, {Choice::AllPages, "", ""}, {1, 2, 3}, 3, false},
      {"2 to 3 of five, entry 4 selected", 5, 3, {Choice::FromTo, "2", "3"}, {2, 3}, 3, false},
      {"3 to 3", 5, 0, {Choice::FromTo, "3", "3"}, {3}, 3, false},
      {"4 to 2 prints 4", 5, 0, {Choice::FromTo, "4", "2"}, {4}, 4, false},
      {"start already selected", 5, 1, {Choice::FromTo, "2", "4"}, {2, 3, 4}, 4, true},
      {"To clamped to the count", 3, 0, {Choice::FromTo, "2", "99999999999999"}, {2, 3}, 3, false},
      {"To below 1", 3, 0, {Choice::FromTo, "3", "-4"}, {3}, 3, false},
      {"blanks and signs", 5, 0, {Choice::FromTo, " +2 ", "3 "}, {2, 3}, 3, false},
      {"numbers floored", 5, 0, {Choice::FromTo, "2.9", "3.5"}, {2, 3}, 3, false},
      {"last entry alone", 5, 0, {Choice::FromTo, "5", "5"}, {5}, 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrintRun run;
    Viewer viewer;
    viewer.count = c.count;
    viewer.index = c.selected;
    const PrintRunStart start = viewer.Ok(run, c.request);
    EXPECT_EQ(start.action, PrintRunStart::Action::LoadEntry);
    EXPECT_EQ(start.reload, c.reload);
    EXPECT_EQ(viewer.printed, c.printed);
    EXPECT_EQ(viewer.index + 1, c.finalEntry);
    EXPECT_FALSE(run.PrintFlagAvail());
  }

  // With the user's decimal separator.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  PrintRun run;
  Viewer viewer;
  viewer.count = 5;
  viewer.index = 0;
  viewer.Ok(run, {Choice::FromTo, "2,5", "4,5"});
  EXPECT_EQ(viewer.printed, (std::vector<int>{2, 3, 4}));
  QLocale::setDefault(QLocale::c());
}

TEST(PrintRun, RefusedRangesAndTheCurrentReport) {
  struct Case {
    int count;
    PrintRunRequest request;
    QString message;
  };
  const Case cases[] = {
      {0, {Choice::AllPages, "1", "0"}, "There are no reports to print."},
      {5, {Choice::FromTo, "0", "3"}, "From must be a number from 1 to 5."},
      {5, {Choice::FromTo, "6", "6"}, "From must be a number from 1 to 5."},
      {5, {Choice::FromTo, "99999999999", "3"}, "From must be a number from 1 to 5."},
      {5, {Choice::FromTo, "0.99", "3"}, "From must be a number from 1 to 5."},
      {5, {Choice::FromTo, "abc", "3"}, "Enter numbers in From and to."},
      {5, {Choice::FromTo, "2 5", "3"}, "Enter numbers in From and to."},
      {5, {Choice::FromTo, "2", ""}, "Enter numbers in From and to."},
  };
  for (const Case& c : cases) {
    PrintRun run;
    const PrintRunStart start = run.Start(c.request, c.count, 0);
    EXPECT_EQ(start.action, PrintRunStart::Action::Refuse) << c.request.fromText.toStdString();
    EXPECT_EQ(start.message, c.message);
    EXPECT_FALSE(run.PrintFlagAvail());
    EXPECT_EQ(run.PageLoaded(true).action, PrintRunStep::Action::None);
  }

  PrintRun run;
  EXPECT_EQ(run.Start({Choice::CurrentReport, "x", "y"}, 5, 2).action, PrintRunStart::Action::PrintCurrent);
  EXPECT_FALSE(run.PrintFlagAvail());
  EXPECT_EQ(run.PageLoaded(true).action, PrintRunStep::Action::None);

  const PrintRangeTexts texts = PrintRangeDefaults(7);
  EXPECT_EQ(texts.fromText, "1");
  EXPECT_EQ(texts.toText, "7");
}

TEST(PrintRun, NeverPrintsUnaskedAfterItEnds) {
  using A = PrintRunStep::Action;
  // A report the user opens while no run is in progress is not printed.
  PrintRun run;
  EXPECT_EQ(run.PageLoaded(true).action, A::None);
  EXPECT_EQ(run.PrintFinished(true, 0, 5).action, A::None);

  // A page that fails to load, a failed print, Cancel and the viewer's unload
  // each end the run; later page loads print nothing.
  for (int ending = 0; ending < 4; ++ending) {
    SCOPED_TRACE(ending);
    ASSERT_EQ(run.Start({Choice::AllPages, "", ""}, 5, 0).action, PrintRunStart::Action::LoadEntry);
    EXPECT_TRUE(run.PrintFlagAvail());
    EXPECT_EQ(run.LastPrintMarina(), 5);
    if (ending == 0) {
      EXPECT_EQ(run.PageLoaded(false).action, A::Failed);
    } else {
      ASSERT_EQ(run.PageLoaded(true).action, A::PrintPage);
      EXPECT_TRUE(run.Printing());
      EXPECT_EQ(run.PageLoaded(true).action, A::None);  // a second load while printing
      if (ending == 1) {
        EXPECT_EQ(run.PrintFinished(false, 0, 5).action, A::Failed);
      } else {
        run.Reset();
      }
    }
    EXPECT_FALSE(run.PrintFlagAvail());
    EXPECT_EQ(run.PrintFinished(true, 0, 5).action, A::None);
    EXPECT_EQ(run.PageLoaded(true).action, A::None);
  }

  // The list shrank under the run: it never steps past the last entry.
  ASSERT_EQ(run.Start({Choice::AllPages, "", ""}, 5, 0).action, PrintRunStart::Action::LoadEntry);
  ASSERT_EQ(run.PageLoaded(true).action, A::PrintPage);
  EXPECT_EQ(run.PrintFinished(true, 2, 3).action, A::Finished);
}

TEST(PrintRun, GuardedPrintAndTheTopMargin) {
  QTemporaryDir store;
  SetUserStoreFolder(store.path());
  ScriptedMsgBoxes boxes;
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(ReportTopMarginText(), "0.07");

  int prints = 0;
  const auto print = [&prints] {
    ++prints;
    return true;
  };
  // Disabled: the message once, nothing printed, nothing written.
  EXPECT_FALSE(GuardedPrint(1, true, print));
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].text, "The Print command is currently disabled.");
  EXPECT_EQ(boxes.Shown()[0].title, "Print Status");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Critical);
  EXPECT_TRUE(PageSetupValue("margin_top").isNull());
  // Print Report leaves the margin alone; the other commands set it.
  EXPECT_TRUE(GuardedPrint(3, false, print));
  EXPECT_TRUE(PageSetupValue("margin_top").isNull());
  SetRegistryString(kPageSetupKeyPath, "margin_top", "1,5");
  EXPECT_TRUE(GuardedPrint(2, true, print));
  EXPECT_EQ(PageSetupValue("margin_top"), "0.07");
  EXPECT_EQ(prints, 2);
  EXPECT_EQ(boxes.Shown().size(), 1);

  QLocale::setDefault(before);
  SetUserStoreFolder(QString());
}

}  // namespace
}  // namespace qw
