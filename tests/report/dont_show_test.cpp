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
      {"pool", "Pool", true},  // recreation
      {"pool", "POOL", true},  // case ignored
      {"pool", "Pool ", false},  // blanks count
      {"hpool", "Heated Pool", true},
      {"grpFishing", "group fishing boat", true},
      {"grpFishing", "Head(Group) Fishing Boats", false},
      {"events", "Special Events", true},  // entertainment
      {"bank", "bank/atm", true},  // general services
      {"fservice", "Laundry", true},
      {"fservice", "Full Service Laundromat", false},
      {"discount", "Buying Club", true},
      {"copies", "Copies Etc.", true},
      {"farm", "Farmers' Market", true},  // provisioning
      {"complete", "Complete Provisioning Service", true},
      {"911Service", "911 Service", true},  // medical
      {"Veterianrian", "Veterinarian", true},
      {"Veterianrian", "Veterianrian", false},
      {"sea", "Seafood Shack", true},  // restaurants
      {"restaurant", "Restaurant", true},
      {"inn", "Inn/B&B", true},  // accommodations
      {"motel", "Motel", true},
      {"rOthers", "Other", true},  // either "other" flag hides both spellings
      {"rOthers", "other", true},
      {"gothers", "other", true},
      {"gothers", "Others", false},
      {"hospital", "Doctor", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsItemHidden(Hiding({c.column}), QLatin1String(c.asked)), c.hidden) << c.column << " / " << c.asked;
  }
  for (const DontShowItem& item : DontShowItems()) {
    EXPECT_FALSE(IsItemHidden(DontShowFlags{}, QLatin1String(item.itemName))) << item.column;
    EXPECT_TRUE(IsItemHidden(Hiding({item.column}), QLatin1String(item.itemName))) << item.column;
  }
  EXPECT_TRUE(Hiding({"hospital"}).hospital());
  EXPECT_FALSE(Hiding({"pool"}).hospital());
}

TEST(DontShow, LoadsTheRowOfTheMarinaOnly) {
  SectionsDb data;
  const int a = SectionsDb::kMarina;
  const int b = SectionsDb::kMarina + 1;
  data.Exec(QStringLiteral("INSERT INTO rpm_display (marinano, pool, hospital, motel, spa) VALUES (%1, 1, 1, NULL, 0)").arg(a));
  data.Exec(QStringLiteral("INSERT INTO rpm_display (marinano, [911Service], Veterianrian) VALUES (%1, 1, 1)").arg(b));

  DontShowFlags flags;
  flags.DontShowMarinaNo = a;
  ClearDontShowFlags(flags);
  ASSERT_TRUE(LoadDontShowFlags(flags, data.db()));
  EXPECT_TRUE(flags.Flag(QStringLiteral("pool")));
  EXPECT_TRUE(flags.hospital());
  EXPECT_FALSE(flags.Flag(QStringLiteral("motel")));  // Null shows the item
  EXPECT_FALSE(flags.Flag(QStringLiteral("spa")));

  // The next report's marina: only its own flags stand.
  flags.DontShowMarinaNo = b;
  ClearDontShowFlags(flags);
  ASSERT_TRUE(LoadDontShowFlags(flags, data.db()));
  EXPECT_FALSE(flags.Flag(QStringLiteral("pool")));
  EXPECT_FALSE(flags.hospital());
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("911 Service")));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Veterinarian")));

  // No row: nothing hidden.
  flags.DontShowMarinaNo = b + 1;
  ClearDontShowFlags(flags);
  ASSERT_TRUE(LoadDontShowFlags(flags, data.db()));
  EXPECT_EQ(flags.Flags, DontShowFlags{}.Flags);
}

TEST(DontShow, LoadOpensTheMarinaDatabaseOfTheSettings) {
  testing::TempProgramFolder folder;  // the demo database: 478 hides its pool
  DontShowFlags flags;
  flags.DontShowMarinaNo = 478;
  EXPECT_TRUE(LoadDontShowFlags(flags));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));

  testing::TempProgramFolder empty(false);  // no database: flags kept, no throw
  EXPECT_FALSE(LoadDontShowFlags(flags));
  EXPECT_TRUE(IsItemHidden(flags, QStringLiteral("Pool")));
}

}  // namespace
}  // namespace qw
