#include <QVariant>
#include <gtest/gtest.h>

#include "platform/vb_text.h"

namespace {

TEST(VbText, NumbersInTheirGeneralForm) {
  EXPECT_EQ(qw::VbText(150.0), "150");
  EXPECT_EQ(qw::VbText(45.5), "45.5");
  EXPECT_EQ(qw::VbText(0.75), "0.75");
  EXPECT_EQ(qw::VbText(-2.5), "-2.5");
  EXPECT_EQ(qw::VbText(0.0), "0");
  EXPECT_EQ(qw::VbText(0.1 + 0.2), "0.3");
  EXPECT_EQ(qw::VbText(QVariant::fromValue<qlonglong>(12345678901LL)), "12345678901");
  EXPECT_EQ(qw::VbText(123456789012345.0), "123456789012345");
  EXPECT_EQ(qw::VbText(1e16), "1E+16");
  EXPECT_EQ(qw::VbText(0.00001), "1E-05");
  EXPECT_EQ(qw::VbText(0.0001), "0.0001");
  EXPECT_EQ(qw::VbText(QVariant::fromValue(2.5f)), "2.5");
}

TEST(VbText, BooleansNullAndText) {
  EXPECT_EQ(qw::VbText(true), "True");
  EXPECT_EQ(qw::VbText(false), "False");
  EXPECT_EQ(qw::VbText(QVariant()), "");
  EXPECT_EQ(qw::VbText(QVariant(QMetaType::fromType<double>())), "");
  EXPECT_EQ(qw::VbText(QString("  Sandy Cove ")), "  Sandy Cove ");
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
