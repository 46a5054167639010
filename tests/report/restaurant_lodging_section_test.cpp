#include "report/restaurant_lodging_section.h"

#include <gtest/gtest.h>

#include <functional>

#include "sections_fixture.h"

namespace qw {
namespace {

using testing::Hiding;
using testing::SectionsDb;

TEST(EntryGrouping, MaskingAndGroups) {
  QString note = QStringLiteral(" <I>(Harbor Restaurant, Motel 6, Hotel Zotel Sotel)</I>");
  replacename(note);
  EXPECT_EQ(note.indexOf(QStringLiteral("Restaurant")), -1);
  EXPECT_EQ(note.indexOf(QStringLiteral("Motel")), -1);
  revertname(note);
  EXPECT_EQ(note, QStringLiteral(" <I>(Harbor Restaurant, Motel 6, Hotel Zotel Sotel)</I>"));

  const QString text = QStringLiteral(
      "Motel<I></I>, Restaurant <I>(A)</I>, Seafood Shack<I></I>, Restaurant <I>(B)</I>, Crab House<I></I>, "
      "Crab House <I>(C <I>daily</I>)</I>, Lite Fare <I>(D, try the <I>chowder)</I>, Lite Fare <I>(E)</I>, ");
  const char* const cases[][2] = {
      {"Restaurant", "Restaurant <I>(A)</I>, <I>(B)</I>, "},
      {"Motel", "Motel, "},
      {"Seafood Shack", "Seafood Shack , "},
      {"Crab House", "Crab House <I></I>, <I>(C <I>daily</I>)</I>, "},
      {"Hotel", ""},
      // Italics that never close again: the entry ends at its first "</I>".
      {"Lite Fare", "Lite Fare <I>(D, try the <I>chowder)</I>, <I>(E)</I>, "},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupEntriesByType(text, QLatin1String(c[0])), QLatin1String(c[1])) << c[0];
}

struct EntryCase {
  const char* name;
  std::function<void(SectionsDb&)> rows;
  DistanceClassTexts expected;
  DontShowFlags flags = {};
};

TEST(BuildRestaurantAndLodgingText, GroupsByKindInEveryClass) {
  const EntryCase cases[] = {
      {"no rows", [](SectionsDb&) {}, {}},
      {"kinds in table order, several entries under one kind word",
       [](SectionsDb& d) {
         d.Lodging("Inn/B&B", "Harbor Inn", "00100", QVariant(), "$$");
         d.Eatery("Crab House", "Crab Deck", "00100", QVariant(), {}, "2 mi");
         d.Eatery("Restaurant", "Dockside Grill", "00100", "(207) 555-0100", {"$", QVariant(), "$$"});
         d.Lodging("Motel", QVariant(), "00100");
         d.Eatery("Restaurant", "Pier Cafe", "00100");
       },
       {"", "",
        "Restaurant <I>(Dockside Grill 207-555-0100, B $, D $$)</I>, <I>(Pier Cafe)</I>, Crab House <I>(Crab Deck 2 mi)</I>, "
        "Motel, Inn/B&B <I>(Harbor Inn $$)</I>",
        "", "", ""}},
      {"every class; kind words and masked forms inside notes stay as written",
       [](SectionsDb& d) {
         d.Eatery("Restaurant", "Harbor Restaurant", "10000");
         d.Eatery("Raw Bar", "Zaw Bar Oysters", "01000", QVariant(), {}, QVariant(), "Next to the Motel");
         d.Lodging("Hotel", "Sotel Suites", "00010");
         d.Lodging("Condo/Cottage", "Pine Cottages", "00001", "207 555 0101");
         d.Eatery("Pizzeria", "Cove Pizza", "00000", QVariant(), {}, "x");
       },
       {"Restaurant <I>(Harbor Restaurant)</I>", "Raw Bar <I>(Zaw Bar Oysters Next to the Motel)</I>", "",
        "Hotel <I>(Sotel Suites)</I>", "Condo/Cottage <I>(Pine Cottages 207-555-0101)</I>",
        "Pizzeria <I>(Cove Pizza x)</I>"}},
      {"seafood shack without details",
       [](SectionsDb& d) {
         d.Eatery("Seafood Shack", QVariant(), "10000");
         d.Lodging("Motel", QVariant(), "10000");
         d.Eatery("Snack Bar", QVariant(), "01000");
         d.Eatery("Seafood Shack", QVariant(), "01000");
       },
       {"Seafood Shack , Motel", "Seafood Shack , Snack Bar", "", "", "", ""}},
      {"empty phone masks of both tables, blank distances, unknown and Null kinds",
       [](SectionsDb& d) {
         d.Eatery("Coffee Shop", "Bean", "10000", "(   )   -");
         d.Lodging("Motel", "Anchor", "10000", "(   )-   -");
         d.Lodging("Hotel", "Bay", "10000", "(   )   -");
         d.Eatery("Lite Fare", "Gone", "00000", QVariant(), {}, "   ");
         d.Lodging("Hotel", "Gone", "00000", QVariant(), QVariant(), "   ");
         d.Eatery("Shack", "Never", "10000");
         d.Eatery(QVariant(), "Never", "10000");
         d.Lodging(QVariant(), "Never", "10000");
         d.Eatery("restaurant", "Never", "10000");
         d.Eatery("Fast Food", "Burger Barn", "10000", QVariant(), {QVariant(), " $ "}, QVariant(), " Drive-through ");
       },
       {"Coffee Shop <I>(Bean)</I>, Fast Food <I>(Burger Barn L $, Drive-through)</I>, Motel <I>(Anchor)</I>, "
        "Hotel <I>(Bay)</I>",
        "", "", "", "", ""}},
      {"texts escaped, a comment cleaned and its italics closed: every entry stays",
       [](SectionsDb& d) {
         d.Eatery("Restaurant", "Fish & Chips </td>", "10000", QVariant(), {}, "<5 mi", "try the <I>chowder <script>x</script>");
         d.Eatery("Restaurant", "Second", "10000");
       },
       {"Restaurant <I>(Second)</I>, <I>(Fish &amp; Chips &lt;/td&gt; &lt;5 mi, try the <I>chowder </I>)</I>", "", "", "",
        "", ""}},
      {"hidden kinds",
       [](SectionsDb& d) {
         d.Eatery("Restaurant", "Hidden", "10000");
         d.Lodging("Motel", "Hidden", "10000");
         d.Lodging("Hotel", "Shown", "10000");
       },
       {"Hotel <I>(Shown)</I>", "", "", "", "", ""},
       Hiding({"restaurant", "motel"})},
  };
  for (const EntryCase& c : cases) {
    SectionsDb data;
    c.rows(data);
    DistanceClassTexts texts{"stale", "stale", "stale", "stale", "stale", "stale"};
    BuildRestaurantAndLodgingText(data.db(), SectionsDb::kMarina, c.flags, texts);
    EXPECT_EQ(texts, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace qw
