#include "report/two_columns.h"

#include <gtest/gtest.h>

#include "report/round_half_even.h"
#include "search/qstring_printer.h"

namespace qw {
namespace {

const QString kSample = QStringLiteral("<b>Fuel:</b> Gas, Diesel<BR><BR><b>Ice:</b> Block");

TEST(TwoColumns, TextFunctions) {
  const QString t = QStringLiteral("ab<i x>cd</i> e&NBSP;f");
  struct PosCase {
    int pos;
    bool inside;
    int outOfTag;
    int space;
  };
  // a b < i _ x > c d < / i > _ e & N B S P ; f
  // 1 2 3 4 5 6 7 8 9 ...                      22
  const PosCase cases[] = {
      {0, false, 8, 0},    {1, false, 8, 3},    {3, true, 8, 3},      {5, true, 8, 5},
      {7, false, 8, 10},   {8, false, 14, 10},  {13, false, 14, 14},  {15, false, 1, 16},
      {17, false, 1, 0},   {22, false, 1, 0},   {23, false, 1, 0},
  };
  for (const PosCase& c : cases) {
    EXPECT_EQ(IsInsideTag(t, c.pos), c.inside) << c.pos;
    if (c.pos >= 1) {
      EXPECT_EQ(GetNearestOutOfTagPos(t, c.pos), c.outOfTag) << c.pos;
      EXPECT_EQ(GetNearestSpacePos(t, c.pos), c.space) << c.pos;
    }
  }
  const char* const tags[][2] = {
      {"", ""}, {"plain", ""}, {"a<b>c</b>d<BR>", "<b></b><BR>"}, {"x<i open", "<i open"}, {"a>b<c", "<c"}};
  for (const auto& c : tags) EXPECT_EQ(ExtractTags(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];

  const std::pair<const char*, int> first[] = {{"", 0}, {"<b>", 0}, {"<BR><b> x", 8}, {"&amp;", 1}, {"><a", 0}, {"a", 1}};
  for (const auto& [text, pos] : first) EXPECT_EQ(FindFirstTextPos(QLatin1String(text)), pos) << text;

  const char* const strip[][2] = {{"<BR><br><b>Ice <BR>", "<b>Ice <BR>"}, {"<BR><BR>", "<BR><BR>"}, {" <BR>x", " <BR>x"}};
  for (const auto& c : strip) EXPECT_EQ(StripLeadingBreaks(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];

  const char* const remove[][3] = {
      {"a<BR>b<br>c", "<BR>", "abc"}, {"<B<BR>R>x", "<br>", "x"}, {"<BR<BR>>", "<BR>", ""}, {"none", "<BR>", "none"}};
  for (const auto& c : remove) {
    EXPECT_EQ(RemoveEverySubstr(QLatin1String(c[0]), QLatin1String(c[1])), QLatin1String(c[2])) << c[0];
  }
}

TEST(TwoColumns, WorkedExampleByBarValue) {
  ASSERT_EQ(kSample.size(), 49);
  const char* const cases[][3] = {
      {"24", "<b>Fuel:</b> Gas, Diesel<BR><BR><b></b>", "<b></b><b>Ice:</b> Block"},
      {"34", "<b>Fuel:</b> Gas,<BR><BR><b></b>", "<b></b> Diesel<BR><BR><b>Ice:</b> Block"},
      {"48", "<b>Fuel:</b> Gas, Diesel<BR><BR><b>Ice:</b> Block", ""},
      {"49", "<b>Fuel:</b> Gas, Diesel<BR><BR><b>Ice:</b> Block", ""},
      {"0", "<b>Fuel:</b> Gas, Diesel<BR><BR><b>Ice:</b> Block", ""},
      {"1", "<b>Fuel:</b> Gas, Diesel<BR><BR><b>Ice:</b> Block", ""},
  };
  for (const auto& c : cases) {
    const ShiftBar bar{0, 49, QByteArray(c[0]).toInt()};
    QString left = QStringLiteral("old");
    QString right = QStringLiteral("old");
    SplitTwoColumns(kSample, left, right, ShiftOf(bar));
    EXPECT_EQ(left, QLatin1String(c[1])) << "value " << c[0];
    EXPECT_EQ(right, QLatin1String(c[2])) << "value " << c[0];
  }
}

TEST(TwoColumns, DivisionPoints) {
  struct Case {
    const char* name;
    const char* text;
    int shift;
    const char* left;
    const char* right;
  };
  const Case cases[] = {
      {"empty text", "", 0, "", ""},
      {"target on a tag divides after it", "abcd<BR>efgh", -1, "abcd<BR>", "efgh"},
      {"target before a tag divides at it", "abcd<BR>efgh", -2, "abcd<BR>", "efgh"},
      {"target inside a tag", "ab <span class=x>cd</span>", 0, "ab <span class=x></span>", "<span class=x>cd</span>"},
      {"entity at the target starts the right column", "abcdef&nbsp;ghijkl", -3, "abcdef", "&nbsp;ghijkl"},
      {"other entities are never cut", "x&amp;&amp;&amp;&amp; y", 0, "x&amp;&amp;&amp;&amp;", " y"},
      {"lower-case breaks dropped like upper-case", "<i>aaaa bb<br><br>cc</i>", 1, "<i>aaaa bb<br><br></i>", "<i>cc</i>"},
      {"lower-case breaks before the right text", "<i>aaaa</i><br><br>cc dd", -3, "<i>aaaa</i><br><br>", "<i></i>cc dd"},
      {"unclosed tag at the target: divides at 1", "ab <b no end", 2, "<b no end", "ab <b no end"},
  };
  for (const Case& c : cases) {
    QString left, right;
    SplitTwoColumns(QLatin1String(c.text), left, right, c.shift);
    EXPECT_EQ(left, QLatin1String(c.left)) << c.name;
    EXPECT_EQ(right, QLatin1String(c.right)) << c.name;
  }
}

TEST(TwoColumns, LongTextsSplitNearTheMiddle) {
  // Beyond the 16-bit range of the shift bars: the columns still divide.
  QString text;
  while (text.size() < 70000) text += QStringLiteral("<span class=ValueFont>word, word</Span>&nbsp;&nbsp;&nbsp;");
  const ShiftBar bar = StartingShiftBar(static_cast<std::int32_t>(text.size()), std::nullopt);
  EXPECT_EQ(bar.Value, RoundHalfEven(text.size() / 2.0));
  QString left, right;
  SplitTwoColumns(text, left, right, ShiftOf(bar));
  const qsizetype half = text.size() / 2;
  EXPECT_TRUE(left.startsWith(text.left(half - 100)));
  EXPECT_TRUE(right.endsWith(text.mid(half + 100)));
}

TEST(TwoColumns, StartingBarValue) {
  struct Case {
    int length;
    std::optional<double> stored;
    int value;
  };
  const Case cases[] = {
      {1000, std::nullopt, 500}, {1001, std::nullopt, 500}, {1003, std::nullopt, 502}, {1000, 10, 500},
      {1000, 11, 11},            {1000, 990, 500},          {1000, 989, 989},          {1000, 600.5, 600},
      {1000, -5, 500},           {15, 12, 8},               {0, 5, 0},
  };
  for (const Case& c : cases) {
    const ShiftBar bar = StartingShiftBar(c.length, c.stored);
    EXPECT_EQ(bar.Min, 0);
    EXPECT_EQ(bar.Max, c.length);
    EXPECT_EQ(bar.Value, c.value) << c.length << " " << c.stored.value_or(-1);
  }
  EXPECT_EQ(ShiftOf({0, 49, 24}), 0);    // 0.5 rounds to 0
  EXPECT_EQ(ShiftOf({0, 49, 34}), -10);  // -9.5 rounds to -10
  EXPECT_EQ(ShiftOf({0, 51, 24}), 2);    // 1.5 rounds to 2
}

}  // namespace
}  // namespace qw
