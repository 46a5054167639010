#include <gtest/gtest.h>

#include "platform/jet.h"

namespace {

using qw::TranslateJetSql;

TEST(TranslateJetSql, LikeWildcardsBecomeSqlWildcards) {
  EXPECT_EQ(TranslateJetSql("rpm_marinaname_no.[Marina Name] LIKE '*Cove*'"),
            "rpm_marinaname_no.[Marina Name] LIKE '%Cove%'");
  EXPECT_EQ(TranslateJetSql("x like 'a?c*' AND y NOT LIKE '*z'"), "x like 'a_c%' AND y NOT LIKE '%z'");
  // Apostrophes doubled in the pattern stay doubled.
  EXPECT_EQ(TranslateJetSql("[Marina Name] LIKE '*Dyer''s*'"), "[Marina Name] LIKE '%Dyer''s%'");
  // A pattern without wildcards compares the whole text.
  EXPECT_EQ(TranslateJetSql("WHERE [Geo Code Name] LIKE 'Cape Cod & Islands'"),
            "WHERE [Geo Code Name] LIKE 'Cape Cod & Islands'");
}

TEST(TranslateJetSql, LiteralPercentAndUnderscoreAreEscaped) {
  EXPECT_EQ(TranslateJetSql("n LIKE '*100%*'"), "n LIKE '%100\\%%' ESCAPE '\\'");
  EXPECT_EQ(TranslateJetSql("n LIKE '*a_b\\c*'"), "n LIKE '%a\\_b\\\\c%' ESCAPE '\\'");
  // A backslash alone needs no escape clause.
  EXPECT_EQ(TranslateJetSql("n LIKE 'a\\b'"), "n LIKE 'a\\b'");
}

TEST(TranslateJetSql, TrimmedTextComparedWithANumberIsComparedAsANumber) {
  EXPECT_EQ(TranslateJetSql("RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 10"),
            "CAST(RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) AS REAL) >= 10");
  EXPECT_EQ(TranslateJetSql("Trim(x)<-1.5"), "CAST(Trim(x) AS REAL)<-1.5");
  EXPECT_EQ(TranslateJetSql("25 <= trim(x)"), "25 <= CAST(trim(x) AS REAL)");
  // Compared with text it stays text.
  EXPECT_EQ(TranslateJetSql("RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''"),
            "RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''");
  EXPECT_EQ(TranslateJetSql("(Trim(rpm_Medical.Comments) <> '')"), "(Trim(rpm_Medical.Comments) <> '')");
}

TEST(TranslateJetSql, LeavesNamesTextsAndJoinsAlone) {
  const QString from =
      "select rpm_Vyk.[Bell rating], ['97 Editions].[In Disk] from(((rpm_Contact_Information LEFT JOIN rpm_Vyk ON "
      "rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = "
      "['97 Editions].MarinaNo)) where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 5) And "
      "(rpm_Vyk.[Geo Code]<= 16)) ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]";
  EXPECT_EQ(TranslateJetSql(from), from);
  // Look-alikes inside texts and names are not rewritten.
  const QString texts = "x = 'a LIKE ''*b*'' and Trim(y) >= 1' AND [LIKE *] = 2 AND type='Ships'' Store'";
  EXPECT_EQ(TranslateJetSql(texts), texts);
  EXPECT_EQ(TranslateJetSql("rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5"),
            "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5");
}

TEST(TranslateJetSql, DoubleQuotedTextsBecomeSingleQuoted) {
  EXPECT_EQ(TranslateJetSql("City = \"Bar Harbor\""), "City = 'Bar Harbor'");
  EXPECT_EQ(TranslateJetSql("City LIKE \"O'Neil*\""), "City LIKE 'O''Neil%'");
}

TEST(TranslateJetSql, LoneSurrogatesCannotSwallowTheClosingQuote) {
  const QChar high(0xD83D), low(0xDEA2), replacement(QChar::ReplacementCharacter);
  // A lone half of a pair is no character; a whole pair is kept.
  EXPECT_EQ(TranslateJetSql(QString("n LIKE '*a") + high + "'' OR 1=1 --*'"),
            QString("n LIKE '%a") + replacement + "'' OR 1=1 --%'");
  EXPECT_EQ(TranslateJetSql(QString("c = '") + low + high + "'"), QString("c = '") + replacement + replacement + "'");
  EXPECT_EQ(TranslateJetSql(QString("c = '") + high + low + "'"), QString("c = '") + high + low + "'");
}

}  // namespace
