#include <QLocale>
#include <gtest/gtest.h>

#include "platform/print_codes.h"

namespace {

TEST(PrintCodes, PageNumbersTitleAndAlignmentParts) {
  const QDateTime printed(QDate(2026, 7, 4), QTime(14, 5));
  const qw::PageCodeValues v{3, 12, "Marinas", "file:///tmp/x.htm", printed};
  EXPECT_EQ(qw::ExpandPageCodes("Page No [ &p ]", v), QStringList{"Page No [ 3 ]"});
  EXPECT_EQ(qw::ExpandPageCodes("Page &p of &P", v), QStringList{"Page 3 of 12"});
  EXPECT_EQ(qw::ExpandPageCodes("Bait && Tackle &&p", v), QStringList{"Bait & Tackle &p"});
  EXPECT_EQ(qw::ExpandPageCodes("&w&bPage &p", v), (QStringList{"Marinas", "Page 3"}));
  EXPECT_EQ(qw::ExpandPageCodes("&u&b&b&P", v), (QStringList{"file:///tmp/x.htm", "", "12"}));
  EXPECT_EQ(qw::ExpandPageCodes("&d &T", v),
            QStringList{QLocale().toString(printed.date(), QLocale::ShortFormat) + " 14:05"});
  EXPECT_EQ(qw::ExpandPageCodes("&D&b&t", v), (QStringList{QLocale().toString(printed.date(), QLocale::LongFormat),
                                                            QLocale().toString(printed.time(), QLocale::ShortFormat)}));
  // Unknown codes and a lone & at the end stay as written.
  EXPECT_EQ(qw::ExpandPageCodes("&x 50% &", v), QStringList{"&x 50% &"});
  EXPECT_EQ(qw::ExpandPageCodes("", v), QStringList{""});
}

}  // namespace
