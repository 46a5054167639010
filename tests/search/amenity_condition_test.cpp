#include <gtest/gtest.h>

#include "qstring_printer.h"

#include "search/where_clause.h"

namespace qw {
namespace {

TEST(DistanceColumnTest, MapsEveryProximityCode) {
  const std::pair<int, const char*> columns[] = {
      {0, "No preferences"}, {1, "[On-Site]"},     {2, "[On-Call]"},         {3, "NearBy"}, {4, "[W/in 1 Mile]"},
      {5, "[1-3 Miles]"},    {6, "[Approx Distance]"}, {-1, ""}, {7, ""}, {999, ""}};
  for (const auto& [code, column] : columns) EXPECT_EQ(DistanceColumn(code), column) << code;
}

TEST(AmenityConditionTest, SumFormAddsTheClassAndEveryNearerOne) {
  EXPECT_EQ(AmenityCondition("rpm_Medical", "Doctor", "NearBy"),
            "((SELECT SUM(rpm_Medical.[On-Site] + rpm_Medical.[On-Call] + rpm_Medical.NearBy) FROM rpm_Medical "
            "WHERE (rpm_Contact_Information.MarinaNo = rpm_Medical.MarinaNo) AND (rpm_Medical.type = 'Doctor')) > 0)");
  EXPECT_EQ(AmenityCondition("rpm_Recreation", "Pool", "[On-Site]"),
            "((SELECT SUM(rpm_Recreation.[On-Site]) FROM rpm_Recreation WHERE (rpm_Contact_Information.MarinaNo = "
            "rpm_Recreation.MarinaNo) AND (rpm_Recreation.type = 'Pool')) > 0)");
  EXPECT_EQ(AmenityCondition("rpm_Recreation", "Pool", "[On-Call]"),
            "((SELECT SUM(rpm_Recreation.[On-Site] + rpm_Recreation.[On-Call]) FROM rpm_Recreation WHERE "
            "(rpm_Contact_Information.MarinaNo = rpm_Recreation.MarinaNo) AND (rpm_Recreation.type = 'Pool')) > 0)");
  EXPECT_EQ(AmenityCondition("rpm_Recreation", "Pool", "[W/in 1 Mile]"),
            "((SELECT SUM(rpm_Recreation.[On-Site] + rpm_Recreation.[On-Call] + rpm_Recreation.NearBy + "
            "rpm_Recreation.[W/in 1 Mile]) FROM rpm_Recreation WHERE (rpm_Contact_Information.MarinaNo = "
            "rpm_Recreation.MarinaNo) AND (rpm_Recreation.type = 'Pool')) > 0)");
  EXPECT_EQ(AmenityCondition("rpm_Recreation", "Pool", "[1-3 Miles]"),
            "((SELECT SUM(rpm_Recreation.[On-Site] + rpm_Recreation.[On-Call] + rpm_Recreation.NearBy + "
            "rpm_Recreation.[W/in 1 Mile] + rpm_Recreation.[1-3 Miles]) FROM rpm_Recreation WHERE "
            "(rpm_Contact_Information.MarinaNo = rpm_Recreation.MarinaNo) AND (rpm_Recreation.type = 'Pool')) > 0)");
}

TEST(AmenityConditionTest, RemarkFormCountsNonBlankComments) {
  EXPECT_EQ(AmenityCondition("rpm_Medical", "911 Service", "Comments"),
            "((SELECT COUNT(rpm_Medical.Comments) FROM rpm_Medical WHERE (rpm_Contact_Information.MarinaNo = "
            "rpm_Medical.MarinaNo) AND (rpm_Medical.type = '911 Service') AND (Trim(rpm_Medical.Comments) <> '')) "
            "> 0)");
}

TEST(AmenityConditionTest, FarthestClassAcceptsAnApproximateDistanceOrAnyNearerClass) {
  EXPECT_EQ(RestaurantCondition("rpm_Restaurants", "Pizzeria", "[Approx Distance]"),
            "((((SELECT COUNT(rpm_Restaurants.[Approx Distance]) FROM rpm_Restaurants WHERE "
            "(rpm_Contact_Information.MarinaNo = rpm_Restaurants.MarinaNo) AND (rpm_Restaurants.[Rest Type] = "
            "'Pizzeria') AND (Trim(rpm_Restaurants.[Approx Distance]) <> '')) > 0)) OR (((SELECT "
            "SUM(rpm_Restaurants.[On-Site] + rpm_Restaurants.[On-Call] + rpm_Restaurants.NearBy + "
            "rpm_Restaurants.[W/in 1 Mile] + rpm_Restaurants.[1-3 Miles]) FROM rpm_Restaurants WHERE "
            "(rpm_Contact_Information.MarinaNo = rpm_Restaurants.MarinaNo) AND (rpm_Restaurants.[Rest Type] = "
            "'Pizzeria')) > 0)))");
  EXPECT_EQ(AccommodationCondition("rpm_Accommodations", "Inn/B&B", "[Approx Distance]"),
            "((((SELECT COUNT(rpm_Accommodations.[Approx Distance]) FROM rpm_Accommodations WHERE "
            "(rpm_Contact_Information.MarinaNo = rpm_Accommodations.MarinaNo) AND "
            "(rpm_Accommodations.[Accommodation Type] = 'Inn/B&B') AND (Trim(rpm_Accommodations.[Approx Distance]) "
            "<> '')) > 0)) OR (((SELECT SUM(rpm_Accommodations.[On-Site] + rpm_Accommodations.[On-Call] + "
            "rpm_Accommodations.NearBy + rpm_Accommodations.[W/in 1 Mile] + rpm_Accommodations.[1-3 Miles]) FROM "
            "rpm_Accommodations WHERE (rpm_Contact_Information.MarinaNo = rpm_Accommodations.MarinaNo) AND "
            "(rpm_Accommodations.[Accommodation Type] = 'Inn/B&B')) > 0)))");
}

}  // namespace
}  // namespace qw
