// Stored split positions that keep the report's two middle columns balanced,
// as a publisher tuning them by hand would leave them: the report divides the
// middle section near its length minus the stored position, so a position
// near half the length puts about half the text in each column.
#include "demo_model.h"
#include "demo_rng.h"
#include "platform/jet.h"
#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"

namespace qw::demo {
namespace {

// Characters a reader sees: the text without its tags.
double VisibleLength(const QString& html) { return static_cast<double>(html.size() - ExtractTags(html).size()); }

// The share of the section's visible text that the report puts in the left
// column for a stored position.
double LeftShare(const QString& html, int position) {
  QString left, right;
  SplitTwoColumns(html, left, right, ShiftOf(StartingShiftBar(static_cast<std::int32_t>(html.size()), position)));
  return VisibleLength(left) / VisibleLength(html);
}

}  // namespace

void BalanceSplitPositions(const std::vector<Marina>& marinas, const QString& dbPath) {
  const DatabasePtr db = Database::OpenDatabase(dbPath, -1, false, QStringLiteral(";PWD="));
  for (const Marina& m : marinas) {
    if (!m.balancedSplit || !m.hasOutput) continue;
    const auto output = m.one.find(QStringLiteral("rpm_output"));
    if (output != m.one.end() && output->second.Has(QStringLiteral("MiddleSectionPos"))) continue;  // a fixed edge row
    DontShowFlags flags;
    flags.DontShowMarinaNo = m.no;
    LoadDontShowFlags(flags, *db);
    QString note911;
    const QString html = BuildMiddleSectionHtml(*db, m.no, flags, note911);
    if (VisibleLength(html) == 0) continue;  // nothing to divide
    // Half the length give or take a sixteenth; an offset that would leave
    // visibly more text on one side (tags are not spread evenly) is drawn again.
    const int length = static_cast<int>(html.size());
    int position = length / 2;
    for (int n = 0; n < 20; ++n) {
      const int candidate = length / 2 + Rng(m.no, "rpm_output", "MiddleSectionPos", n).IntBetween(-length / 16, length / 16);
      const double share = LeftShare(html, candidate);
      if (share >= 0.42 && share <= 0.58) {
        position = candidate;
        break;
      }
    }
    db->Execute(QStringLiteral("UPDATE rpm_output SET MiddleSectionPos = %1 WHERE marinaNo = %2").arg(position).arg(m.no));
  }
  db->Close();
}

}  // namespace qw::demo
