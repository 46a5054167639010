// The shared text routines and the frame every item goes through.
#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "report_values/make_value_string.h"
#include "report_values/text_routines.h"

namespace {

using qw::testing::FakeRecordset;

QString Trimmed(QString text, const QString& separator) {
  qw::TrimTrailingSeparator(text, separator);
  return text;
}

TEST(TrimTrailingSeparator, RemovesOneTrailingSeparatorBetweenBlankTrims) {
  EXPECT_EQ(Trimmed("Gasoline, Diesel, ", ","), "Gasoline, Diesel");
  EXPECT_EQ(Trimmed("a , ", ","), "a");
  EXPECT_EQ(Trimmed("a,,", ","), "a,");
  EXPECT_EQ(Trimmed("a;", ","), "a;");
  EXPECT_EQ(Trimmed("<I>Irving</I> - ", ","), "<I>Irving</I> -");
  EXPECT_EQ(Trimmed(", ", ","), "");
  EXPECT_EQ(Trimmed("", ","), "");
  EXPECT_EQ(Trimmed("  x.  ", "."), "x");
  // A longer separator never matches: the text is only trimmed.
  EXPECT_EQ(Trimmed(" a, ", ", "), "a,");
  // Only blanks are trimmed; a tab or a line break stays.
  EXPECT_EQ(Trimmed("\ta,\n", ","), "\ta,\n");
}

TEST(RemoveAllChars, RemovesEveryOccurrenceWithoutRegardToCase) {
  EXPECT_EQ(qw::RemoveAllChars("(617) 555-1234", "("), "617) 555-1234");
  EXPECT_EQ(qw::RemoveAllChars("a-b-c-", "-"), "abc");
  EXPECT_EQ(qw::RemoveAllChars("Box box BOX", "b"), "ox ox OX");
  EXPECT_EQ(qw::RemoveAllChars("abc", ""), "abc");
}

TEST(FormatPhoneNumber, AreaCodeInBracketsOrWithDashes) {
  EXPECT_EQ(qw::FormatPhoneNumber("(617) 555-1234", false), "(617) 555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("(617) 555-1234", true), "617-555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("617-555-1234", false), "(617) 555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("617-555-1234", true), "617-555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("1 (800) 555 1234", false), "(1800) 555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("1 (800) 555 1234", true), "1800-555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("5085550119", false), "(508) 555-0119");
  EXPECT_EQ(qw::FormatPhoneNumber("1 555-1234", false), "(1) 555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("0617 555 1234", false), "(617) 555-1234");
}

TEST(FormatPhoneNumber, SevenCharactersAndShorter) {
  EXPECT_EQ(qw::FormatPhoneNumber("555-1234", false), "555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("555-1234", true), "555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("5551234", false), "555-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("", false), "-");
  EXPECT_EQ(qw::FormatPhoneNumber("   ", false), "-");
  EXPECT_EQ(qw::FormatPhoneNumber("(   )   -", false), "-");
  // Fewer than seven characters are shown as given, never with repeated digits.
  EXPECT_EQ(qw::FormatPhoneNumber("55512", false), "55512");
  EXPECT_EQ(qw::FormatPhoneNumber(" 555-12 ", true), "555-12");
  EXPECT_EQ(qw::FormatPhoneNumber("7", false), "7");
}

TEST(FormatPhoneNumber, OtherCharactersStay) {
  // "555.1234" keeps its dot, has eight characters and takes the area form.
  EXPECT_EQ(qw::FormatPhoneNumber("555.1234", false), "(5) 55.-1234");
  EXPECT_EQ(qw::FormatPhoneNumber("ext 617 555 1234", false), "(ext617) 555-1234");
}

TEST(FormatLatLong, DegreesAndMinutes) {
  EXPECT_EQ(qw::FormatLatLong("4221.345"), "42&deg;21.345'");
  EXPECT_EQ(qw::FormatLatLong("-07012.345"), "070&deg;12.345'");
  EXPECT_EQ(qw::FormatLatLong(""), "None");
  EXPECT_EQ(qw::FormatLatLong(" "), "None");
  EXPECT_EQ(qw::FormatLatLong("   "), "None");
}

TEST(FormatLatLong, BlanksAndOtherDecimalsKeepTheMinutesWhole) {
  EXPECT_EQ(qw::FormatLatLong(" 4221.345 "), "42&deg;21.345'");
  EXPECT_EQ(qw::FormatLatLong("4221.3456"), "42&deg;21.3456'");
  EXPECT_EQ(qw::FormatLatLong("4221.3"), "42&deg;21.3'");
  EXPECT_EQ(qw::FormatLatLong("- 07012.3"), "070&deg;12.3'");
  // Short values never read past their end.
  EXPECT_EQ(qw::FormatLatLong("4"), "4&deg;'");
  EXPECT_EQ(qw::FormatLatLong("-"), "&deg;'");
}

TEST(MakeValueString, KeysAreMatchedExactly) {
  FakeRecordset rs{{"Fuel?", true}, {"Gasoline?", true}};
  EXPECT_EQ(qw::MakeValueString(rs, "Fuel", false, true), "Gasoline");
  EXPECT_EQ(qw::MakeValueString(rs, "fuel", false, true), "n/a");
  EXPECT_EQ(qw::MakeValueString(rs, "Fuel ", false, true), "n/a");
  EXPECT_EQ(qw::MakeValueString(rs, "fuel", false, false), "");
  EXPECT_EQ(qw::ReportItemKeys().size(), 55);
  EXPECT_EQ(qw::ReportItemKeys().front(), "Fuel");
  EXPECT_EQ(qw::ReportItemKeys().back(), "Communication");
}

TEST(MakeValueString, CommonEndMakesNaThenAppendsThePeriod) {
  FakeRecordset rs;
  EXPECT_EQ(qw::MakeValueString(rs, "Unknown", true, true), "n/a.");
  EXPECT_EQ(qw::MakeValueString(rs, "Unknown", true, false), ".");
  EXPECT_EQ(qw::MakeValueString(rs, "PO Box", false, false), "");
  EXPECT_EQ(qw::MakeValueString(rs, "Fuel", true, true), "No.");
  // A text of blanks is not empty and stays as it is.
  rs.Set("Notable", "   ");
  EXPECT_EQ(qw::MakeValueString(rs, "Notable", false, true), "   ");
}

TEST(MakeValueString, EveryKeyYieldsATextWithoutACurrentRow) {
  FakeRecordset rs{{"Fuel?", true}, {"Phone", "617-555-1234"}};
  rs.RemoveCurrentRow();
  for (const QString& key : qw::ReportItemKeys()) {
    EXPECT_FALSE(qw::MakeValueString(rs, key, false, true).isEmpty()) << key.toStdString();
  }
  EXPECT_EQ(qw::MakeValueString(rs, "Fuel", false, true), "No");
  EXPECT_EQ(qw::MakeValueString(rs, "PO Box", false, false), "");
  EXPECT_EQ(qw::MakeValueString(rs, "ContactPhone", false, true), "n/a");
  EXPECT_EQ(qw::MakeValueString(rs, "ContactFax", false, true),
            "n/a&nbsp;&nbsp;&nbsp;<B>Alternate Tel:</B> n/a");
  EXPECT_EQ(qw::MakeValueString(rs, "VHF", false, true), "<B>Monitor</B> n/a&nbsp;&nbsp;<B>Talk</B> n/a");
  EXPECT_EQ(qw::MakeValueString(rs, "Max Slip/Moor", false, true), "-/-");
  EXPECT_EQ(qw::MakeValueString(rs, "Services", false, true), "n/a");
}

TEST(MakeValueString, ValuesOfOtherTypesReadAsTheColumnsExpect) {
  // Yes/No stored as 1/0, as text, or as an unreadable text.
  FakeRecordset rs{{"Pets Allowed?", 1}, {"Kennel", "True"}, {"Dog Walking Area?", "maybe"}};
  EXPECT_EQ(qw::MakeValueString(rs, "Pets", false, true), "Welcome, Kennel");
  // Numbers in their general form, stored as real numbers or as text.
  FakeRecordset lengths{{"Maximum Length Overall", 150.0}, {"Max Beams", 45.5}, {"Entry Depth", "6"}};
  EXPECT_EQ(qw::MakeValueString(lengths, "Max LOA", false, true), "150 ft.");
  EXPECT_EQ(qw::MakeValueString(lengths, "Max Beam", false, true), "45.5 ft.");
  EXPECT_EQ(qw::MakeValueString(lengths, "Rep. Depths", false, true), "6 ft.");
  EXPECT_EQ(qw::MakeValueString(FakeRecordset{{"Max Beams", 2.1f}}, "Max Beam", false, true), "2.1 ft.");
  // A count that is not a number fails its test.
  FakeRecordset laundry{{"Laundry?", true}, {"# of Wash Machines", "some"}};
  EXPECT_EQ(qw::MakeValueString(laundry, "Laundry", false, true), "Yes");
}

}  // namespace
