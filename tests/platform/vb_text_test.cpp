#include <QVariant>
#include <gtest/gtest.h>

#include "platform/vb_text.h"

namespace {

TEST(VbText, NumbersBooleansNullAndTextInTheirGeneralForm) {
  const std::pair<QVariant, const char*> cases[] = {
      {150.0, "150"}, {45.5, "45.5"}, {0.75, "0.75"}, {-2.5, "-2.5"}, {0.0, "0"}, {0.1 + 0.2, "0.3"},
      {QVariant::fromValue<qlonglong>(12345678901LL), "12345678901"}, {123456789012345.0, "123456789012345"},
      {1e16, "1E+16"}, {0.00001, "1E-05"}, {0.0001, "0.0001"}, {QVariant::fromValue(2.5f), "2.5"},
      {true, "True"}, {false, "False"}, {QVariant(), ""}, {QVariant(QMetaType::fromType<double>()), ""},
      {QString("  Sandy Cove "), "  Sandy Cove "},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(qw::VbText(value), text) << text;
}

TEST(VbFormatCents, TwoDecimalsRoundedOnTheValueAsWritten) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0, "0.00"},       {0.75, "0.75"},     {2.5, "2.50"},     {12, "12.00"},
               {1234.5, "1234.50"}, {2.675, "2.68"},    {1.005, "1.01"},   {0.125, "0.13"},
               {2.674999, "2.67"},  {-2.675, "-2.68"},  {-0.001, "0.00"},  {1e15, "1000000000000000.00"}};
  for (const auto& c : cases) EXPECT_EQ(qw::VbFormatCents(c.value), c.text) << c.value;
}

TEST(VbIsNumeric, AcceptsNumbersWithBlanksSignsAndPoints) {
  for (const char* yes : {"5", " 12.5 ", "-3", "+4", ".5", "5.", "1,000", "1e3", "2.5E-2", "\t7\t"})
    EXPECT_TRUE(qw::VbIsNumeric(yes)) << yes;
  for (const char* no : {"", " ", "abc", "1/2", "2-3", "1.2.3", "-", ".", "1e", ",5", "5 ft", "1 2"})
    EXPECT_FALSE(qw::VbIsNumeric(no)) << no;
}

}  // namespace
