#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "criteria_arrays.h"
#include "qstring_printer.h"
#include "search/criteria_file.h"
#include "search/where_clause.h"

namespace qw {
namespace {

// The lines of a criteria file.
QList<QByteArray> Lines(const QByteArray& data) {
  QList<QByteArray> lines = data.split('\n');
  EXPECT_TRUE(lines.last().isEmpty());
  lines.removeLast();
  for (QByteArray& line : lines) {
    EXPECT_TRUE(line.endsWith('\r'));
    line.chop(1);
  }
  return lines;
}

// The expected records of array prefix with count elements, each value v.
void AddArray(QList<QByteArray>& lines, const char* prefix, int count, int value) {
  for (int i = 0; i < count; ++i) lines << QByteArray("\"") + prefix + QByteArray::number(i) + ")\"," + QByteArray::number(value);
}

TEST(CriteriaFileTest, ClearedScreenSavesEveryRecordInOrder) {
  const SearchCriteria cleared;
  QList<QByteArray> expected = {
      R"x("tbMarinaName","")x", R"x("cbocity",0)x",      R"x("cboHarbor",0)x",     R"x("txtbICWMin","")x",
      R"x("txtbICWMax","")x",   R"x("ebMinLOA","")x",    R"x("cboFuel",0)x",       R"x("cboMoorings",0)x",
      R"x("cboBellRating",0)x", R"x("cboElectricity",0)x", R"x("cboDepth",0)x",    R"x("cboDockage",0)x",
      R"x("cboBoatRating",0)x", R"x("cmbTotalSlips",0)x", R"x("chkPumpOut",888)x", R"x("chkSunset",888)x",
      R"x("chkPumpOut",888)x",
  };
  AddArray(expected, "cmbmfac(", 5, 0);
  AddArray(expected, "chkmfac(", 8, 888);
  AddArray(expected, "chkcredit(", 4, 888);
  AddArray(expected, "chkDockAsst(", 10, 888);
  expected << R"x("lstMail1",888)x" << R"x("lstMail2",888)x" << R"x("lstMail3",888)x" << R"x("lstMail4",888)x"
           << R"x("lstMail5",888)x";
  AddArray(expected, "cmbboat(", 24, 0);
  expected << R"x("chkBoatStorage",888)x";
  AddArray(expected, "cmbrecr(", 17, 0);
  AddArray(expected, "cmbenter(", 9, 0);
  AddArray(expected, "cmbrest(", 11, 0);
  AddArray(expected, "cmbgene(", 17, 0);
  AddArray(expected, "cmbprov(", 16, 0);
  AddArray(expected, "cmbtrans(", 9, 0);
  expected << R"x("chkAmtrak",888)x" << R"x("chkAirport",888)x";
  AddArray(expected, "cmbmedi(", 6, 0);
  expected << R"x("chk911",888)x" << R"x("chkHospital",888)x";

  const QList<QByteArray> lines = Lines(SaveSettings(cleared));
  EXPECT_EQ(lines.size(), 163);  // 162 and the fifth courier entry
  EXPECT_EQ(lines, expected);
}

TEST(CriteriaFileTest, SubRegionsAndTextsAreSavedAsTheyStand) {
  SearchCriteria c;
  c.tbMarinaName = "  Harbor ";
  c.lbGeoCodes = {"Downeast Maine", "Buzzards Bay"};
  c.txtbicwmin = " 12 ";
  c.txtbicwmax = " 30";
  c.ebMinLOA = "40  ";
  c.cboCity = {{"", "Bar Harbor", "Castine"}, 2};
  c.cboHarbor = {{"", "Frenchman Bay"}, -1};
  c.cboFuel = 2;
  c.chkPumpOut = 2;  // greyed: saved as not ticked
  c.chkMegaYachtFacilities = 1;
  c.lstMail[2] = true;
  c.Amenity.RecreationDistance[16] = 4;
  c.Amenity.CreditCardChecks[1] = 1;
  const QList<QByteArray> lines = Lines(SaveSettings(c));
  ASSERT_EQ(lines.size(), 165);
  EXPECT_EQ(lines[0], R"x("tbMarinaName","  Harbor ")x");
  EXPECT_EQ(lines[1], R"x("GeoCode(0)","Downeast Maine")x");
  EXPECT_EQ(lines[2], R"x("GeoCode(1)","Buzzards Bay")x");
  EXPECT_EQ(lines[3], R"x("cbocity",2)x");
  EXPECT_EQ(lines[4], R"x("cboHarbor",-1)x");
  EXPECT_EQ(lines[5], R"x("txtbICWMin","12")x");
  EXPECT_EQ(lines[6], R"x("txtbICWMax","30")x");
  EXPECT_EQ(lines[7], R"x("ebMinLOA","40")x");
  EXPECT_EQ(lines[8], R"x("cboFuel",2)x");
  EXPECT_EQ(lines[16], R"x("chkPumpOut",888)x");
  EXPECT_EQ(lines[18], R"x("chkPumpOut",999)x");
  EXPECT_TRUE(lines.contains(R"x("chkcredit(1)",999)x"));
  EXPECT_TRUE(lines.contains(R"x("lstMail3",999)x"));
  EXPECT_TRUE(lines.contains(R"x("cmbrecr(16)",4)x"));
}

// Criteria with a value in every field (city and harbour as positions only).
SearchCriteria EveryCriterion() {
  SearchCriteria c;
  c.tbMarinaName = " Captain Ned's ";
  c.lbGeoCodes = {"Downeast Maine", "Midcoast Maine"};
  c.cboCity.ListIndex = 3;
  c.cboHarbor.ListIndex = 2;
  c.txtbicwmin = "1.5";
  c.txtbicwmax = "-20";
  c.ebMinLOA = "45";
  c.cboBellRating = 4;
  c.cboBoatRating = 2;
  c.cmbTotalSlips = 6;
  c.cboDepth = 8;
  c.cboFuel = 1;
  c.cboDockage = 5;
  c.cboMoorings = 3;
  c.cboElectricity = 6;
  c.chkPumpOut = 1;
  c.chkSunset = 1;
  c.chkMegaYachtFacilities = 1;
  c.chkBoatStorage = 1;
  c.lstMail = {true, false, true, false, true};
  c.chkAmtrak = 1;
  c.chkAirport = 1;
  c.chk911 = 1;
  c.chkHospital = 1;
  AmenityCriteria& a = c.Amenity;
  auto codes = [](auto& array, int offset) {
    for (std::size_t i = 0; i < array.size(); ++i) array[i] = static_cast<std::int16_t>((i + offset) % 7);
  };
  auto checks = [](auto& array, int offset) {
    for (std::size_t i = 0; i < array.size(); ++i) array[i] = static_cast<std::int16_t>((i + offset) % 2);
  };
  int offset = 1;  // 1 for the first tab's array, one more for each next
  ForEachDistance(a, [&](auto& array) { codes(array, offset++); });
  checks(a.FacilityChecks, 0);
  checks(a.CreditCardChecks, 1);
  checks(a.ServiceChecks, 0);
  return c;
}

TEST(CriteriaFileTest, RoundTripRestoresEveryCriterion) {
  SearchCriteria saved = EveryCriterion();
  SearchCriteria loaded = LoadSettings(SaveSettings(saved));
  EXPECT_EQ(loaded.Amenity, saved.Amenity);
  EXPECT_EQ(loaded.lbGeoCodes, saved.lbGeoCodes);
  EXPECT_EQ(loaded.cboCity.ListIndex, 3);
  EXPECT_EQ(loaded.cboHarbor.ListIndex, 2);
  EXPECT_EQ(loaded.lstMail, saved.lstMail);
  EXPECT_EQ(loaded, saved);

  // The window refills city and harbour; with the same lists the same search results.
  loaded.cboCity.Items = saved.cboCity.Items = {"", "Bar Harbor", "Castine", "Orr's Island"};
  loaded.cboHarbor.Items = saved.cboHarbor.Items = {"", "Frenchman Bay", "Lowell's Cove"};
  auto lookup = [](const QString& name) -> std::optional<std::int16_t> { return name.size(); };
  EXPECT_EQ(BuildWhereClause(loaded, lookup), BuildWhereClause(saved, lookup));
  EXPECT_FALSE(BuildWhereClause(loaded, lookup).isEmpty());
}

TEST(CriteriaFileTest, FileRoundTrip) {
  QTemporaryDir dir;
  const QString name = dir.filePath("trip.vyk");
  ASSERT_TRUE(SaveSettingsFile(name, EveryCriterion()));
  const std::optional<SearchCriteria> loaded = LoadSettingsFile(name);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, EveryCriterion());
  EXPECT_FALSE(LoadSettingsFile(dir.filePath("missing.vyk")));
  EXPECT_FALSE(SaveSettingsFile(dir.filePath("no/such/folder/x.vyk"), EveryCriterion()));
  // A file of another kind, or an empty one, names no criterion: not read.
  const QByteArray notCriteria[] = {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), QByteArray(),
                                    "Edition,\"New England\"\r\nList,In 7th Edition\r\n"};
  for (const QByteArray& bytes : notCriteria) {
    QFile other(dir.filePath("other.vyk"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
    other.write(bytes);
    other.close();
    EXPECT_FALSE(LoadSettingsFile(other.fileName())) << bytes.toStdString();
  }
  // One criterion is enough.
  QFile one(dir.filePath("one.vyk"));
  ASSERT_TRUE(one.open(QIODevice::WriteOnly));
  one.write("\"cboFuel\",2\r\n");
  one.close();
  ASSERT_TRUE(LoadSettingsFile(one.fileName()));
  EXPECT_EQ(LoadSettingsFile(one.fileName())->cboFuel, 2);
}

TEST(CriteriaFileTest, KeysAreExactExceptTheSubRegionKey) {
  const SearchCriteria c = LoadSettings(
      "\"cboCity\",2\r\n\"CBOFUEL\",1\r\n\"cboFuel \",2\r\n\"chksunset\",999\r\n"
      "\"GEOCODE(7)\",\"Downeast Maine\"\r\n\"xgeoCodex\",\"Buzzards Bay\"\r\n\"GeoCode(0)\",\"Downeast Maine\"\r\n"
      "\"CMBMFAC(0)\",3\r\n\"cmbmfac(0 )\",3\r\n\"cmbmfac(1)\",4\r\n");
  EXPECT_EQ(c.cboCity.ListIndex, 0);
  EXPECT_EQ(c.cboFuel, 0);
  EXPECT_EQ(c.chkSunset, 0);
  EXPECT_EQ(c.lbGeoCodes, QStringList({"Downeast Maine", "Buzzards Bay"}));  // each name once
  EXPECT_EQ(c.Amenity.SupplyDistance[0], 0);
  EXPECT_EQ(c.Amenity.SupplyDistance[1], 4);
}

TEST(CriteriaFileTest, SingleByteFilesReadAsWindows1252) {
  const SearchCriteria c = LoadSettings("\"tbMarinaName\",\"Bob\x92s\"\r\n\"GeoCode(0)\",\"C\xF4te Nord\"\r\n");
  EXPECT_EQ(c.tbMarinaName, QString::fromUtf8("Bob\xE2\x80\x99s"));
  EXPECT_EQ(c.lbGeoCodes, QStringList{QString::fromUtf8("C\xC3\xB4te Nord")});
}

// Files go out in the single-byte code page that older editions read, unless
// a text needs more; either way every text comes back as it was.
TEST(CriteriaFileTest, WritesWindows1252WhenEveryCharacterFits) {
  const struct {
    const char* name;    // UTF-8
    QByteArray written;  // the name's bytes in the file
  } cases[] = {
      {"Sandy Cove", "Sandy Cove"},
      {"Caf\xC3\xA9", "Caf\xE9"},
      {"\xE2\x82\xAC" "5 \xE2\x80\x9C" "dock\xE2\x80\x9D \xE2\x80\x93 Bob\xE2\x80\x99s \xC5\xA0\xC5\xBD\xC5\xB8",
       "\x80" "5 \x93" "dock\x94 \x96 Bob\x92s \x8A\x8E\x9F"},
      {"\xC2\x81\xC2\x9D", "\x81\x9D"},  // bytes the code page leaves undefined
      {"Caf\xC3\xA9 \xC5\x81\xC3\xB3" "d\xC5\xBA", "Caf\xC3\xA9 \xC5\x81\xC3\xB3" "d\xC5\xBA"},  // not in it: UTF-8
      {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},  // its code-page bytes C3 A9 would read back as UTF-8
  };
  for (const auto& c : cases) {
    SearchCriteria saved;
    saved.tbMarinaName = QString::fromUtf8(c.name);
    const QByteArray data = SaveSettings(saved);
    EXPECT_EQ(Lines(data).first(), "\"tbMarinaName\",\"" + c.written + '"') << c.name;
    EXPECT_EQ(LoadSettings(data).tbMarinaName, saved.tbMarinaName) << c.name;
  }
  // One text beyond the code page puts the whole file in UTF-8.
  SearchCriteria mixed;
  mixed.tbMarinaName = QString::fromUtf8("Caf\xC3\xA9");
  mixed.lbGeoCodes = {QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA")};
  EXPECT_EQ(Lines(SaveSettings(mixed)).first(), "\"tbMarinaName\",\"Caf\xC3\xA9\"");
  EXPECT_EQ(LoadSettings(SaveSettings(mixed)), mixed);
}

TEST(CriteriaFileTest, PumpOutKeyTwiceAndCityAndHarborPositions) {
  // The second pump-out record is the mega-yacht box; the last record wins and
  // only 999 ticks. A sub-region record refills both lists; a city refills the
  // harbours.
  const struct {
    const char* file;
    int pumpOut, megaYacht, city, harbor;
  } cases[] = {
      {"\"chkPumpOut\",999\r\n", 1, 0, 0, 0},
      {"\"chkPumpOut\",888\r\n\"chkPumpOut\",999\r\n\"chkPumpOut\",888\r\n", 0, 0, 0, 0},
      {"\"chkPumpOut\",1\r\n\"chkPumpOut\",999\r\n", 0, 1, 0, 0},
      {"\"cbocity\",2\r\n\"cboHarbor\",3\r\n\"GeoCode(0)\",\"Downeast Maine\"\r\n", 0, 0, 0, 0},
      {"\"GeoCode(0)\",\"Downeast Maine\"\r\n\"cboHarbor\",3\r\n\"cbocity\",2\r\n", 0, 0, 2, 0},
      {"\"GeoCode(0)\",\"Downeast Maine\"\r\n\"cbocity\",2\r\n\"cboHarbor\",3\r\n", 0, 0, 2, 3},
  };
  for (const auto& test : cases) {
    const SearchCriteria c = LoadSettings(test.file);
    EXPECT_EQ(c.chkPumpOut, test.pumpOut) << test.file;
    EXPECT_EQ(c.chkMegaYachtFacilities, test.megaYacht) << test.file;
    EXPECT_EQ(c.cboCity.ListIndex, test.city) << test.file;
    EXPECT_EQ(c.cboHarbor.ListIndex, test.harbor) << test.file;
    EXPECT_TRUE(c.cboCity.Items.isEmpty() || c.cboCity.Text().isEmpty()) << test.file;
  }
}

TEST(CriteriaFileTest, ValuesThatDoNotFitAreIgnored) {
  const SearchCriteria c = LoadSettings(
      "\"cmbmfac(5)\",3\r\n\"chkmfac(8)\",999\r\n\"cmbrecr(16)\",2\r\n\"cmbmedi(-1)\",4\r\n"
      "\"cmbboat(99999999999999999999)\",4\r\n\"cmbboat(23)\",6\r\n"
      "\"cboFuel\",3\r\n\"cboMoorings\",-1\r\n\"cboDepth\",8\r\n\"cmbTotalSlips\",-2\r\n"
      "\"cboBellRating\",99999\r\n\"cmbprov(0)\",1e300\r\n\"cmbprov(1)\",\"2.5\"\r\n\"cmbprov(2)\",\"3.5xyz\"\r\n"
      "\"cmbprov(3)\",\"abc\"\r\n\"cmbprov(4)\",-7\r\n\"cmbprov(5)\",\" +4\"\r\n"
      "\"unknown\",\"x\"\r\n\"lstMail5\",999\r\n\"lstMail6\",999\r\n\"chkHospital\",999\r\n");
  SearchCriteria expected;
  expected.Amenity.RecreationDistance[16] = 2;
  expected.Amenity.BoatyardDistance[23] = 6;
  expected.cboMoorings = -1;
  expected.cboDepth = 8;
  expected.Amenity.ProvisioningDistance[1] = 2;   // to the nearest even whole number
  expected.Amenity.ProvisioningDistance[2] = 4;   // the number the text begins with
  expected.Amenity.ProvisioningDistance[4] = -7;  // kept, but no criterion for the search
  expected.Amenity.ProvisioningDistance[5] = 4;
  expected.lstMail[4] = true;
  expected.chkHospital = 1;
  EXPECT_EQ(c, expected);
  EXPECT_EQ(BuildWhereClause(c, nullptr).count("rpm_Provisioning.type"), 3);  // -7 is no criterion
}

TEST(CriteriaFileTest, OlderFilesWithoutTheFifthCourierLoad) {
  QByteArray data = SaveSettings(EveryCriterion());
  data.replace("\"lstMail5\",999\r\n", "");
  const SearchCriteria c = LoadSettings(data);
  EXPECT_EQ(c.lstMail, (std::array<bool, 5>{true, false, true, false, false}));
  EXPECT_EQ(c.Amenity, EveryCriterion().Amenity);
}

TEST(CriteriaFileTest, HostileFilesNeverCrashOrHang) {
  // Binary and malformed data stop the reading; what came before stays.
  QByteArray binary("\"cboFuel\",1\r\n");
  for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 37) % 256));
  EXPECT_EQ(LoadSettings(binary).cboFuel, 1);

  const SearchCriteria unterminated = LoadSettings("\"cboFuel\",2\r\n\"tbMarinaName\",\"abc\r\n\"cboDepth\",3\r\n");
  EXPECT_EQ(unterminated.cboFuel, 2);
  EXPECT_EQ(unterminated.cboDepth, 0);

  EXPECT_EQ(LoadSettings(""), SearchCriteria{});
  EXPECT_EQ(LoadSettings("\"cboFuel\""), SearchCriteria{});
  EXPECT_EQ(LoadSettings(QByteArray(3, '\0')), SearchCriteria{});

  // Thousands of sub-region records: each name once, and a bound on distinct names.
  QByteArray many;
  for (int i = 0; i < 5000; ++i) many += "\"GeoCode(" + QByteArray::number(i) + ")\",\"Region " + QByteArray::number(i % 3) + "\"\r\n";
  EXPECT_EQ(LoadSettings(many).lbGeoCodes, QStringList({"Region 0", "Region 1", "Region 2"}));
  QByteArray distinct;
  for (int i = 0; i < 5000; ++i) distinct += "\"GeoCode(0)\",\"Region " + QByteArray::number(i) + "\"\r\n";
  EXPECT_LE(LoadSettings(distinct).lbGeoCodes.size(), 100);

  // A huge file is refused by the reader; nothing of it is applied, and the
  // load reports it as unreadable.
  QByteArray huge;
  huge.reserve(50 * 1024 * 1024 + 64);
  const QByteArray record("\"cmbmfac(0)\",3\r\n");
  while (huge.size() < 50 * 1024 * 1024) huge += record;
  QTemporaryDir dir;
  const QString name = dir.filePath("huge.vyk");
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(huge);
  file.close();
  EXPECT_FALSE(LoadSettingsFile(name));
}

TEST(CheckValueTest, EncodesTicksAndMarksAndBack) {
  for (const auto& [value, stored] : {std::pair{1, 999}, {-1, 999}, {0, 888}, {2, 888}, {999, 888}})
    EXPECT_EQ(CheckVal(value), stored) << value;
  for (const auto& [stored, value] : {std::pair{999, 1}, {888, 0}, {1, 0}, {-999, 0}})
    EXPECT_EQ(TFValue(stored), value) << stored;
}

TEST(PlainNumberTest, AcceptsDecimalsWithAnExponentAndNothingElse) {
  for (const char* text : {"12", "-5", "1.5", " 7 ", "+3", "0.25", ".5", "5.", "  -0012.50  ", "1e3", "-2.5E-1",
                           ".5e+2", "5.E3", " 1e-999 "})
    EXPECT_TRUE(IsPlainNumber(text)) << text;
  for (const char* text : {"", "   ", "abc", "12 ft", "1,000", "1.000,5", "$5", "5$", "(5)", "&H10", "0x10", "- 5",
                           "1.2.3", ".", "-", "5;", "٣", "\t5", "5\n", "1e", "e3", ".e3", "1e3.5", "1e 3", "1 e3",
                           "1e+-3", "1d3", "1e3e3", "5 5"})
    EXPECT_FALSE(IsPlainNumber(QString::fromUtf8(text))) << text;
}

}  // namespace
}  // namespace qw
