#include "report/print_run.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/message_box.h"
#include "services/page_setup.h"

namespace qw {
namespace {

// A number as typed (blanks around it, a point or the user's decimal
// separator), floored to the whole number at or below it: "2.5" is 2. A number
// beyond an int is taken as the largest (smallest) int.
std::optional<int> FlooredNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  bool ok = false;
  double value = QLocale::c().toDouble(trimmed, &ok);
  if (!ok) value = QLocale().toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  value = std::floor(value);
  if (value >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

PrintRunStart Refusal(const QString& message) {
  PrintRunStart start;
  start.message = message;
  return start;
}

PrintRunStep Step(PrintRunStep::Action action, int entry = -1) { return PrintRunStep{action, entry}; }

}  // namespace

QString ReportTopMarginText() { return QString::number(kReportTopMarginInches); }

void WriteReportTopMargin() {
  SetRegistryString(kPageSetupKeyPath, QStringLiteral("margin_top"), ReportTopMarginText());
}

bool GuardedPrint(long printStatus, bool writeTopMargin, const std::function<bool()>& print) {
  return PrintWhenEnabled(printStatus, writeTopMargin ? std::function<void()>(&WriteReportTopMargin) : nullptr,
                          print);
}

PrintRangeTexts PrintRangeDefaults(int listCount) {
  return {QStringLiteral("1"), QString::number(listCount)};
}

PrintRunStart PrintRun::Start(const PrintRunRequest& request, int listCount, int listIndex) {
  if (request.choice == PrintChoice::CurrentReport) {
    PrintRunStart start;
    start.action = PrintRunStart::Action::PrintCurrent;
    return start;
  }
  if (listCount <= 0) return Refusal(QStringLiteral("There are no reports to print."));
  if (request.choice == PrintChoice::AllPages) return Begin(listCount, 0, listIndex);

  const std::optional<int> from = FlooredNumber(request.fromText);
  const std::optional<int> to = FlooredNumber(request.toText);
  if (!from || !to) return Refusal(QStringLiteral("Enter numbers in From and to."));
  if (*from < 1 || *from > listCount)
    return Refusal(QStringLiteral("From must be a number from 1 to %1.").arg(listCount));
  return Begin(std::min(*to, listCount), *from - 1, listIndex);
}

PrintRunStart PrintRun::Begin(int lastPrintMarina, int startIndex, int listIndex) {
  state_ = State::AwaitingPage;
  lastPrintMarina_ = lastPrintMarina;
  PrintRunStart start;
  start.action = PrintRunStart::Action::LoadEntry;
  start.entry = startIndex;
  start.reload = startIndex == listIndex;
  return start;
}

PrintRunStep PrintRun::PageLoaded(bool loaded) {
  if (state_ != State::AwaitingPage) return Step(PrintRunStep::Action::None);
  if (!loaded) {
    Reset();
    return Step(PrintRunStep::Action::Failed);
  }
  state_ = State::Printing;
  return Step(PrintRunStep::Action::PrintPage);
}

PrintRunStep PrintRun::PrintFinished(bool printed, int listIndex, int listCount) {
  if (state_ != State::Printing) return Step(PrintRunStep::Action::None);
  if (!printed) {
    Reset();
    return Step(PrintRunStep::Action::Failed);
  }
  // The run ends after the entry whose index is LastPrintMarina - 1 or more,
  // and never steps past the end of the list.
  const int next = listIndex + 1;
  if (listIndex < lastPrintMarina_ - 1 && next < listCount) {
    state_ = State::AwaitingPage;
    return Step(PrintRunStep::Action::LoadEntry, next);
  }
  Reset();
  return Step(PrintRunStep::Action::Finished);
}

void PrintRun::Reset() { state_ = State::Idle; }

}  // namespace qw
