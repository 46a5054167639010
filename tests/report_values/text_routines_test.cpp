// The shared text routines and the frame every item goes through.
#include "report_values/text_routines.h"
#include "item_cases.h"

namespace qw::testing {
namespace {

TEST(TextRoutines, TrimTrailingSeparatorAndRemoveAllChars) {
  const struct {
    const char* text;
    const char* separator;
    const char* expected;
  } trims[] = {
      {"Gasoline, Diesel, ", ",", "Gasoline, Diesel"},
      {"a , ", ",", "a"},
      {"a,,", ",", "a,"},
      {"a;", ",", "a;"},
      {"<I>Irving</I> - ", ",", "<I>Irving</I> -"},
      {", ", ",", ""},
      {"", ",", ""},
      {"  x.  ", ".", "x"},
      {" a, ", ", ", "a,"},       // a longer separator never matches: the text is only trimmed
      {"\ta,\n", ",", "\ta,\n"},  // only blanks are trimmed; a tab or a line break stays
  };
  for (const auto& c : trims) {
    QString text = c.text;
    TrimTrailingSeparator(text, c.separator);
    EXPECT_EQ(text, QString(c.expected)) << '"' << c.text << "\" less \"" << c.separator << '"';
  }
  // Every occurrence goes, without regard to case.
  const char* const removals[][3] = {{"(617) 555-1234", "(", "617) 555-1234"},
                                     {"a-b-c-", "-", "abc"},
                                     {"Box box BOX", "b", "ox ox OX"},
                                     {"abc", "", "abc"}};
  for (const auto& c : removals) EXPECT_EQ(RemoveAllChars(c[0], c[1]), QString(c[2])) << c[0] << " less " << c[1];
}

TEST(TextRoutines, FormatPhoneNumber) {
  const struct {
    const char* number;
    bool dashed;
    const char* expected;
  } cases[] = {
      {"(617) 555-1234", false, "(617) 555-1234"},
      {"(617) 555-1234", true, "617-555-1234"},
      {"617-555-1234", false, "(617) 555-1234"},
      {"617-555-1234", true, "617-555-1234"},
      {"1 (800) 555 1234", false, "(1800) 555-1234"},
      {"1 (800) 555 1234", true, "1800-555-1234"},
      {"5085550119", false, "(508) 555-0119"},
      {"1 555-1234", false, "(1) 555-1234"},
      {"0617 555 1234", false, "(617) 555-1234"},
      // Seven characters and shorter.
      {"555-1234", false, "555-1234"},
      {"555-1234", true, "555-1234"},
      {"5551234", false, "555-1234"},
      {"", false, "-"},
      {"   ", false, "-"},
      {"(   )   -", false, "-"},
      // Fewer than seven characters are shown as given, never with repeated digits.
      {"55512", false, "55512"},
      {" 555-12 ", true, "555-12"},
      {"7", false, "7"},
      // Other characters stay: "555.1234" keeps its dot, has eight characters
      // and takes the area form.
      {"555.1234", false, "(5) 55.-1234"},
      {"ext 617 555 1234", false, "(ext617) 555-1234"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatPhoneNumber(c.number, c.dashed), QString(c.expected)) << c.number << " " << c.dashed;
}

TEST(TextRoutines, FormatLatLong) {
  const char* const cases[][2] = {
      {"4221.345", "42&deg;21.345'"},
      {"-07012.345", "070&deg;12.345'"},
      {"", "None"},
      {" ", "None"},
      {"   ", "None"},
      // Blanks and other decimals keep the minutes whole.
      {" 4221.345 ", "42&deg;21.345'"},
      {"4221.3456", "42&deg;21.3456'"},
      {"4221.3", "42&deg;21.3'"},
      {"- 07012.3", "070&deg;12.3'"},
      // Short values never read past their end.
      {"4", "4&deg;'"},
      {"-", "&deg;'"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatLatLong(c[0]), QString(c[1])) << '"' << c[0] << '"';
}

TEST(MakeValueString, KeysAreMatchedExactly) {
  const FakeRecordset row{{"Fuel?", true}, {"Gasoline?", true}};
  ExpectItem("Fuel", {{row, "Gasoline"}});
  ExpectItem("fuel", {{row, "n/a"}, {row, "", false}});
  ExpectItem("Fuel ", {{row, "n/a"}});
  EXPECT_EQ(ReportItemKeys().size(), 55);
  EXPECT_EQ(ReportItemKeys().front(), "Fuel");
  EXPECT_EQ(ReportItemKeys().back(), "Communication");
}

TEST(MakeValueString, CommonEndMakesNaThenAppendsThePeriod) {
  FakeRecordset rs;
  EXPECT_EQ(MakeValueString(rs, "Unknown", true, true), "n/a.");
  EXPECT_EQ(MakeValueString(rs, "Unknown", true, false), ".");
  EXPECT_EQ(MakeValueString(rs, "PO Box", false, false), "");
  EXPECT_EQ(MakeValueString(rs, "Fuel", true, true), "No.");
  // A text of blanks is not empty and stays as it is.
  rs.Set("Notable", "   ");
  EXPECT_EQ(MakeValueString(rs, "Notable", false, true), "   ");
}

TEST(MakeValueString, EveryKeyYieldsATextWithoutACurrentRow) {
  FakeRecordset rs{{"Fuel?", true}, {"Phone", "617-555-1234"}};
  rs.RemoveCurrentRow();
  for (const QString& key : ReportItemKeys()) {
    EXPECT_FALSE(MakeValueString(rs, key, false, true).isEmpty()) << key.toStdString();
  }
  ExpectItem("Fuel", {{rs, "No"}});
  ExpectItem("PO Box", {{rs, "", false}});
  ExpectItem("ContactPhone", {{rs, "n/a"}});
  ExpectItem("ContactFax", {{rs, "n/a&nbsp;&nbsp;&nbsp;<B>Alternate Tel:</B> n/a"}});
  ExpectItem("VHF", {{rs, "<B>Monitor</B> n/a&nbsp;&nbsp;<B>Talk</B> n/a"}});
  ExpectItem("Max Slip/Moor", {{rs, "-/-"}});
  ExpectItem("Services", {{rs, "n/a"}});
}

TEST(MakeValueString, ValuesOfOtherTypesReadAsTheColumnsExpect) {
  // Yes/No stored as 1/0, as text, or as an unreadable text.
  ExpectItem("Pets", {{{{"Pets Allowed?", 1}, {"Kennel", "True"}, {"Dog Walking Area?", "maybe"}}, "Welcome, Kennel"}});
  // Numbers in their general form, stored as real numbers or as text.
  const FakeRecordset lengths{{"Maximum Length Overall", 150.0}, {"Max Beams", 45.5}, {"Entry Depth", "6"}};
  ExpectItem("Max LOA", {{lengths, "150 ft."}});
  ExpectItem("Max Beam", {{lengths, "45.5 ft."}, {{{"Max Beams", 2.1f}}, "2.1 ft."}});
  ExpectItem("Rep. Depths", {{lengths, "6 ft."}});
  // A count that is not a number fails its test.
  ExpectItem("Laundry", {{{{"Laundry?", true}, {"# of Wash Machines", "some"}}, "Yes"}});
}

}  // namespace
}  // namespace qw::testing
