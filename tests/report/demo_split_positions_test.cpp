// The demo database's stored middle split positions keep both columns of the
// report balanced, apart from the fixed rows that test the ends of the range.
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

TEST(DemoSplitPositions, StoredPositionsBalanceTheMiddleColumns) {
  const DatabasePtr db = Database::OpenDatabase(testing::DemoDatabasePath(), -1, true, QStringLiteral(";PWD="));
  const RecordsetPtr rs = db->OpenRecordset(QStringLiteral(
      "SELECT marinaNo, MiddleSectionPos FROM rpm_output WHERE MiddleSectionPos IS NOT NULL AND marinaNo NOT IN (467, 2648, 1686)"));
  EXPECT_GE(rs->RecordCount(), 10);
  for (; !rs->Eof(); rs->MoveNext()) {
    const int marina = rs->Fields(0).Value().toInt();
    DontShowFlags flags;
    flags.DontShowMarinaNo = marina;
    LoadDontShowFlags(flags, *db);
    ReportSectionsState state;
    AppendMiddleAndBottomSections(*db, marina, flags, state);
    const double share = TextLength(state.LeftMiddleText) / TextLength(state.MiddleSectionHtml);
    EXPECT_GE(share, 0.40) << marina;
    EXPECT_LE(share, 0.60) << marina;
    EXPECT_EQ(state.scrShiftMiddle.Value, rs->Fields(1).Value().toInt()) << marina;  // the stored value is used
  }
}

}  // namespace
}  // namespace qw
