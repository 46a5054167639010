#include <gtest/gtest.h>

#include "platform/jet.h"

namespace {

TEST(TranslateJetSql, RewritesOnlyWhatTheEngineReadsOtherwise) {
  const QChar high(0xD83D), low(0xDEA2), replacement(QChar::ReplacementCharacter);
  const struct {
    QString jet;
    QString sql;  // empty: left as it is
  } cases[] = {
      // LIKE wildcards become SQL wildcards; doubled apostrophes stay doubled.
      {"rpm_marinaname_no.[Marina Name] LIKE '*Cove*'", "rpm_marinaname_no.[Marina Name] LIKE '%Cove%'"},
      {"x like 'a?c*' AND y NOT LIKE '*z'", "x like 'a_c%' AND y NOT LIKE '%z'"},
      {"[Marina Name] LIKE '*Dyer''s*'", "[Marina Name] LIKE '%Dyer''s%'"},
      // A pattern without wildcards compares the whole text.
      {"WHERE [Geo Code Name] LIKE 'Cape Cod & Islands'", ""},
      // A literal % or _ is escaped; a backslash alone needs no escape clause.
      {"n LIKE '*100%*'", "n LIKE '%100\\%%' ESCAPE '\\'"},
      {"n LIKE '*a_b\\c*'", "n LIKE '%a\\_b\\\\c%' ESCAPE '\\'"},
      {"n LIKE 'a\\b'", ""},
      // Trimmed text compared with a number is compared as a number, with text it stays text.
      {"RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 10",
       "CAST(RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) AS REAL) >= 10"},
      {"Trim(x)<-1.5", "CAST(Trim(x) AS REAL)<-1.5"},
      {"25 <= trim(x)", "25 <= CAST(trim(x) AS REAL)"},
      {"RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''", ""},
      {"(Trim(rpm_Medical.Comments) <> '')", ""},
      // Names, texts and joins are left alone, look-alikes inside texts and names too.
      {"select rpm_Vyk.[Bell rating], ['97 Editions].[In Disk] from(((rpm_Contact_Information LEFT JOIN rpm_Vyk ON "
       "rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = "
       "['97 Editions].MarinaNo)) where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 5) And "
       "(rpm_Vyk.[Geo Code]<= 16)) ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]",
       ""},
      {"x = 'a LIKE ''*b*'' and Trim(y) >= 1' AND [LIKE *] = 2 AND type='Ships'' Store'", ""},
      {"rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5", ""},
      // Double-quoted texts become single-quoted.
      {"City = \"Bar Harbor\"", "City = 'Bar Harbor'"},
      {"City LIKE \"O'Neil*\"", "City LIKE 'O''Neil%'"},
      // A lone half of a surrogate pair is no character and cannot swallow
      // the closing quote; a whole pair is kept.
      {QString("n LIKE '*a") + high + "'' OR 1=1 --*'", QString("n LIKE '%a") + replacement + "'' OR 1=1 --%'"},
      {QString("c = '") + low + high + "'", QString("c = '") + replacement + replacement + "'"},
      {QString("c = '") + high + low + "'", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qw::TranslateJetSql(c.jet), c.sql.isEmpty() ? c.jet : c.sql) << c.jet.toStdString();
}

}  // namespace
