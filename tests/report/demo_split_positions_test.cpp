// Every demo report divides its middle section into two columns a reader
// accepts: each column holds 40 to 60 % of the visible text, whether the
// marina stores a split position or the report centres the split.
#include <gtest/gtest.h>

#include "common/testing.h"
#include "platform/jet.h"
#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"
#include "report/two_columns.h"

namespace qw {
namespace {

// Characters a reader sees: the text without its tags.
double TextLength(const QString& html) { return static_cast<double>(html.size() - ExtractTags(html).size()); }

TEST(DemoSplitPositions, EveryReportBalancesItsMiddleColumns) {
  const DatabasePtr db = Database::OpenDatabase(testing::DemoDatabasePath(), -1, true, QStringLiteral(";PWD="));
  const RecordsetPtr rs = db->OpenRecordset(QStringLiteral(
      "SELECT c.MarinaNo, o.MiddleSectionPos FROM rpm_Contact_Information c LEFT JOIN rpm_output o ON o.marinaNo = c.MarinaNo"));
  int reports = 0, stored = 0;
  QStringList unbalanced;
  for (; !rs->Eof(); rs->MoveNext()) {
    const int marina = rs->Fields(0).Value().toInt();
    DontShowFlags flags;
    flags.DontShowMarinaNo = marina;
    LoadDontShowFlags(flags, *db);
    ReportSectionsState state;
    AppendMiddleAndBottomSections(*db, marina, flags, state);
    ++reports;
    if (TextLength(state.MiddleSectionHtml) == 0) continue;  // an empty section has nothing to divide
    const double share = TextLength(state.LeftMiddleText) / TextLength(state.MiddleSectionHtml);
    if (share < 0.40 || share > 0.60) unbalanced << QStringLiteral("%1: %2").arg(marina).arg(share, 0, 'f', 2);
    const QVariant position = rs->Fields(1).Value();
    if (!position.isNull() && position.toInt() != 10) {
      ++stored;
      EXPECT_EQ(state.scrShiftMiddle.Value, position.toInt()) << marina;  // the stored value is used
    }
  }
  EXPECT_EQ(reports, 227);
  EXPECT_GE(stored, 10);
  EXPECT_TRUE(unbalanced.isEmpty()) << unbalanced.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
}  // namespace qw
