#include "report/services_section.h"

#include <gtest/gtest.h>

#include <functional>

#include "sections_fixture.h"

namespace qw {
namespace {

using testing::Hiding;
using testing::SectionsDb;

TEST(DashPhoneNumber, RewritesLeadingAreaCodes) {
  const char* const cases[][2] = {
      {"Island taxi (508) 555-0142", "Island taxi 508-555-0142"},
      {"(508)-555-0142", "508-555-0142"},
      {"(508)555-0142", "508-555-0142"},
      {"(410) 555-1212 (summer only)", "410-555-1212 (summer only)"},
      {"Call (401) 555-0100 or (401) 555-0101", "Call 401-555-0100 or 401-555-0101"},
      {"(summer only) (410) 555-1212", "(summer only) (410) 555-1212"},
      {"(4a0) 555-1212", "(4a0) 555-1212"},
      {"(  1) 555-1212", "(  1) 555-1212"},
      {"555) 1212", "555) 1212"},
      {"No phone", "No phone"},
  };
  for (const auto& c : cases) EXPECT_EQ(DashPhoneNumber(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];
}

struct BuildCase {
  const char* name;
  const char* table;
  std::function<void(SectionsDb&)> rows;
  DistanceClassTexts expected;
  const char* expected911 = "";
  DontShowFlags flags = {};
};

TEST(BuildServicesText, ClassesMergesAndNotes) {
  const BuildCase cases[] = {
      {"no rows", "rpm_Recreation", [](SectionsDb&) {}, {}},
      {"every class, dumyServices order",
       "rpm_Recreation",
       [](SectionsDb& d) {
         d.Amenity("rpm_Recreation", "Golf Course", "10000");
         d.Amenity("rpm_Recreation", "Pool", "10000");
         d.Amenity("rpm_Recreation", "Beach", "01000");
         d.Amenity("rpm_Recreation", "Spa", "00100");
         d.Amenity("rpm_Recreation", "Grills", "00010");
         d.Amenity("rpm_Recreation", "Bowling", "00001");
         d.Amenity("rpm_Recreation", "Tennis Courts", "00000", "12 mi");
         d.Amenity("rpm_Recreation", "Volleyball", "00000", "x");
         d.Amenity("rpm_Recreation", "Playground", "00000", "   ");  // no class at all
         d.Amenity("rpm_Recreation", "Dive Shop", "nnnnn", "  7 mi ");
       },
       {"Pool, Golf Course", "Beach", "Spa", "Grills", "Bowling",
        "Dive Shop <I>(7 mi)</I>, Volleyball, Tennis Courts <I>(12 mi)</I>"}},
      {"notes: comment, dashed phone, distance",
       "rpm_Transportation",
       [](SectionsDb& d) {
         d.Amenity("rpm_Transportation", "Taxi", "01000", QVariant(), "Island taxi (508) 555-0142");
         d.Amenity("rpm_Transportation", "Rental Car", "00000", "5 mi", " Call (508) 555-0143 ");
         d.Amenity("rpm_Transportation", "Courtesy Car Or Van Service for Guests", "10000", "x", "Free");
         d.Amenity("rpm_Transportation", "Nearest Airport", "10000", QVariant(), "Airport at Hyannis");
       },
       {"Courtesy Car Or Van Service for Guests <I>(Free)</I>", "Taxi <I>(Island taxi 508-555-0142)</I>", "", "", "",
        "Rental Car <I>(Call 508-555-0143, 5 mi)</I>"}},
      {"ice merged first, West Marine renamed",
       "rpm_Boat_Supplies",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_Supplies", "Propane", "10000");
         d.Amenity("rpm_Boat_Supplies", "Ice Shaved?", "10000");
         d.Amenity("rpm_Boat_Supplies", "Ice Block?", "10000");
         d.Amenity("rpm_Boat_Supplies", "Ice Cube?", "10000");
         d.Amenity("rpm_Boat_Supplies", "Ice Cube?", "00100");
         d.Amenity("rpm_Boat_Supplies", "West Marine or E&B Marine Store", "00100");
       },
       {"Ice <I>(Block, Cube, Shaved)</I>, Propane", "", "Ice <I>(Cube)</I>, West/E&B Marine", "", "", ""}},
      {"gas and diesel in one class merge",
       "rpm_Boat_and_Boatyard_Services",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Diesel", "10000");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Gas", "10000", QVariant(), "Outboards only");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Rigger", "10000");
       },
       {"Engine mechanic <I>(gas, diesel)</I>, Rigger", "", "", "", "", ""}},
      {"gas and diesel in different classes",
       "rpm_Boat_and_Boatyard_Services",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Gas", "10000");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Diesel", "01000");
       },
       {"Engine mechanic <I>(gas)</I>", "Engine mechanic <I>(diesel)</I>", "", "", "", ""}},
      {"gas never vanishes behind a diesel row of an earlier class",
       "rpm_Boat_and_Boatyard_Services",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Gas", "01000");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Diesel", "11000");
       },
       {"Engine mechanic <I>(diesel)</I>", "Engine mechanic <I>(gas)</I>", "", "", "", ""}},
      {"gas and diesel both farther than three miles merge",
       "rpm_Boat_and_Boatyard_Services",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Gas", "00000", "6 mi");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Diesel", "00000", " 8 mi ");
       },
       {"", "", "", "", "", "Engine mechanic <I>(gas, diesel)</I>"}},
      {"gas without any diesel row",
       "rpm_Boat_and_Boatyard_Services",
       [](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Engine Mechanic - Gas", "00000", "6 mi");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Sail Loft", "00000", "8 mi");
       },
       {"", "", "", "", "", "Engine mechanic <I>(gas)</I>, Sail Loft <I>(8 mi)</I>"}},
      {"911 on call, hospital not listed",
       "rpm_medical",
       [](SectionsDb& d) {
         d.Amenity("rpm_Medical", "911 Service", "01000");
         d.Amenity("rpm_Medical", "Hospital", "00001", QVariant(), "Hospital in Falmouth");
         d.Amenity("rpm_Medical", "Doctor", "00010");
       },
       {"", "", "", "Doctor", "", ""},
       "911 Service "},
      {"911 in no class",
       "rpm_medical",
       [](SectionsDb& d) { d.Amenity("rpm_Medical", "911 Service", "00001", QVariant(), "Volunteer rescue"); },
       {},
       "No 911 Service "},
      {"a Null [On-Call] counts as 0 and the rows after it stay",
       "rpm_medical",
       [](SectionsDb& d) {
         d.Amenity("rpm_Medical", "911 Service", "0nnnn");
         d.Amenity("rpm_Medical", "Dentist", "0n100");
       },
       {"", "", "Dentist", "", "", ""},
       "No 911 Service "},
      {"hidden items leave no trace",
       "rpm_medical",
       [](SectionsDb& d) {
         d.Amenity("rpm_Medical", "911 Service", "10000");
         d.Amenity("rpm_Medical", "Doctor", "10000");
         d.Amenity("rpm_Medical", "Ambulance", "10000");
       },
       {"Ambulance", "", "", "", "", ""},
       "",
       Hiding({"911Service", "doctor"})},
  };
  for (const BuildCase& c : cases) {
    SectionsDb data;
    c.rows(data);
    DistanceClassTexts texts;
    QString note911;
    BuildServicesText(data.db(), QLatin1String(c.table), SectionsDb::kMarina, c.flags, texts, note911);
    EXPECT_EQ(texts, c.expected) << c.name;
    EXPECT_EQ(note911, QLatin1String(c.expected911)) << c.name;
  }
}

}  // namespace
}  // namespace qw
