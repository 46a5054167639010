#include "report/dont_show.h"

#include <gtest/gtest.h>

#include "sections_fixture.h"

namespace qw {
namespace {

using testing::Hiding;
using testing::SectionsDb;

TEST(DontShow, ItemNamesPerGroupAndSpecialNames) {
  struct Case {
    const char* column;
    const char* asked;
    bool hidden;
  };
  const Case cases[] = {
      {"pool", "POOL", true},         {"pool", "Pool ", false},  // case ignored, blanks count
      {"grpFishing", "Head(Group) Fishing Boats", false},        {"events", "Special Events", true},
      {"bank", "bank/atm", true},     {"fservice", "Laundry", true},
      {"fservice", "Full Service Laundromat", false},            {"discount", "Buying Club", true},
      {"farm", "Farmers' Market", true},                         {"911Service", "911 Service", true},
      {"Veterianrian", "Veterinarian", true},                    {"sea", "Seafood Shack", true},
      {"inn", "Inn/B&B", true},       {"motel", "Motel", true},
      {"rOthers", "Other", true},     {"gothers", "other", true},  // either flag hides both spellings
      {"gothers", "Others", false},   {"hospital", "Doctor", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsItemHidden(Hiding({c.column}), QLatin1String(c.asked)), c.hidden) << c.column << " / " << c.asked;
  }
  EXPECT_FALSE(IsItemHidden(DontShowFlags{}, QStringLiteral("Pool")));
  EXPECT_TRUE(Hiding({"hospital"}).hospital());
  EXPECT_FALSE(Hiding({"pool"}).hospital());
}

TEST(DontShow, LoadsTheRowOfTheMarinaOnly) {
  SectionsDb data;
  const int a = SectionsDb::kMarina;
  const int b = SectionsDb::kMarina + 1;
  data.Exec(QStringLiteral("INSERT INTO rpm_display (marinano, pool, hospital, motel) VALUES (%1, 1, 1, NULL)").arg(a));
  data.Exec(QStringLiteral("INSERT INTO rpm_display (marinano, [911Service], Veterianrian) VALUES (%1, 1, 1)").arg(b));
  DontShowFlags flags;
  const auto load = [&](int marina) {
    flags.DontShowMarinaNo = marina;
    ClearDontShowFlags(flags);
    EXPECT_TRUE(LoadDontShowFlags(flags, data.db()));
  };
  load(a);
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));
  EXPECT_TRUE(flags.hospital());
  EXPECT_FALSE(IsItemHidden(flags, QStringLiteral("Motel")));  // Null shows the item
  load(b);  // the next report's marina: only its own flags stand
  EXPECT_FALSE(IsItemHidden(flags, QStringLiteral("Pool")));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("911 service")));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Veterinarian")));
  load(b + 1);  // no row: nothing hidden
  EXPECT_EQ(flags.Flags, DontShowFlags{}.Flags);

  // A table without one of the columns: reading stops at it, so the flags of
  // the columns after it stay as cleared.
  data.Exec(QStringLiteral("INSERT INTO rpm_display (marinano, pool, beach) VALUES (%1, 1, 1)").arg(b + 2));
  data.Exec(QStringLiteral("ALTER TABLE rpm_display DROP COLUMN spa"));
  flags.DontShowMarinaNo = b + 2;
  ClearDontShowFlags(flags);
  EXPECT_FALSE(LoadDontShowFlags(flags, data.db()));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));
  EXPECT_FALSE(IsItemHidden(flags, QStringLiteral("beach")));
}

TEST(DontShow, LoadOpensTheMarinaDatabaseOfTheSettings) {
  testing::TempProgramFolder folder;  // the demo database: 478 hides its pool
  DontShowFlags flags;
  flags.DontShowMarinaNo = 478;
  EXPECT_TRUE(LoadDontShowFlags(flags));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));
  testing::TempProgramFolder empty(false);  // no database: flags kept, nothing thrown
  EXPECT_FALSE(LoadDontShowFlags(flags));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));
}

}  // namespace
}  // namespace qw
