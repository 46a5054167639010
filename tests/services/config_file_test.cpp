#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/testing.h"
#include "platform/program.h"
#include "services/config_file.h"

namespace qw {
namespace {

// Reads a configuration file of the given bytes; "CDD Path" finds the CD at cdRoot.
AppSettings ReadIni(const QByteArray& content, const QString& cdRoot = QStringLiteral("/media/cdrom/")) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("VykMarina.ini"));
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
  f.close();
  AppSettings s;
  ReadIniFile(path, s, [cdRoot] { return cdRoot; });
  return s;
}

TEST(IniFile, ReadsTheExampleFile) {
  const AppSettings s = ReadIni(
      "Edition,\"New England\"\r\nPhotosRootFolder,/data/Photos\r\nDatabasePath,/data/Database\r\n"
      "List,In 7th Edition\r\nGeoCode,5-16\r\n");
  EXPECT_EQ(s.EditionName, "New England");
  EXPECT_EQ(s.PhotosFolder, "/data/Photos");
  EXPECT_EQ(s.DataFolder, "/data/Database");
  EXPECT_EQ(s.EditionFilter, "In 7th Edition");
  EXPECT_EQ(s.GeoCodeFrom, 5);
  EXPECT_EQ(s.GeoCodeTo, 16);
  EXPECT_EQ(s.SingleGeoCode, 0);
  EXPECT_EQ(s.DatabaseFileName, "");  // fixed by the splash, not by the file
}

TEST(IniFile, PairsFieldsTwoAtATime) {
  // A quoted value keeps its comma; LF-only lines read the same.
  EXPECT_EQ(ReadIni("Edition,\"Maine, New Hampshire\"\nList,x\n").EditionName, "Maine, New Hampshire");
  // Key and value on separate lines still pair up.
  EXPECT_EQ(ReadIni("List\r\nIn 7th Edition\r\n").EditionFilter, "In 7th Edition");
  // An empty line is one empty field and shifts the pairing of all later fields:
  // ("", List), ("In 6th Edition", GeoCode), ("9", -) ends the file.
  const AppSettings shifted = ReadIni("Edition,\"A\"\r\n\r\nList,In 6th Edition\r\nGeoCode,9\r\n");
  EXPECT_EQ(shifted.EditionName, "A");
  EXPECT_EQ(shifted.EditionFilter, "");
  EXPECT_EQ(shifted.SingleGeoCode, 0);
  // Keys are compared exactly; the later value of a repeated key wins; other keys are dropped.
  const AppSettings keys = ReadIni("edition,\"lower\"\r\nLIST,upper\r\nColour,blue\r\nList,first\r\nList,second\r\n");
  EXPECT_EQ(keys.EditionName, "");
  EXPECT_EQ(keys.EditionFilter, "second");
}

TEST(IniFile, GeoCodeForms) {
  const auto geo = [](const char* value) {
    return ReadIni(QByteArray("GeoCode,") + value + "\r\nList,after\r\n");
  };
  AppSettings s = geo("9");
  EXPECT_EQ(s.SingleGeoCode, 9);
  EXPECT_EQ(s.GeoCodeFrom, 0);
  EXPECT_EQ(s.GeoCodeTo, 0);
  s = geo("5-16");
  EXPECT_EQ(s.SingleGeoCode, 0);
  EXPECT_EQ(s.GeoCodeFrom, 5);
  EXPECT_EQ(s.GeoCodeTo, 16);
  s = geo("5 - 16");
  EXPECT_EQ(s.GeoCodeFrom, 5);
  EXPECT_EQ(s.GeoCodeTo, 16);
  EXPECT_EQ(s.EditionFilter, "after");
  // Nothing after the hyphen: GeoCodeFrom is kept and reading stops there.
  s = geo("5-");
  EXPECT_EQ(s.GeoCodeFrom, 5);
  EXPECT_EQ(s.GeoCodeTo, 0);
  EXPECT_EQ(s.EditionFilter, "");
  // Fractions round to the nearest, halves to the even one.
  EXPECT_EQ(geo("2.5").SingleGeoCode, 2);
  EXPECT_EQ(geo("3.5").SingleGeoCode, 4);
  EXPECT_EQ(geo("7.6").SingleGeoCode, 8);
  // Out of range and not a number stop reading.
  for (const char* bad : {"40000", "abc", "", "0x10"}) {
    s = geo(bad);
    EXPECT_EQ(s.SingleGeoCode, 0) << bad;
    EXPECT_EQ(s.EditionFilter, "") << bad;
  }
  // A single code and a range in one file both stay set.
  s = ReadIni("GeoCode,9\r\nGeoCode,5-16\r\n");
  EXPECT_EQ(s.SingleGeoCode, 9);
  EXPECT_EQ(s.GeoCodeFrom, 5);
  EXPECT_EQ(s.GeoCodeTo, 16);
  // A file without the key leaves all three at 0.
  s = ReadIni("Edition,\"New England\"\r\n");
  EXPECT_EQ(s.SingleGeoCode + s.GeoCodeFrom + s.GeoCodeTo, 0);
}

TEST(IniFile, Integer16Conversion) {
  EXPECT_EQ(ToInteger16(QStringLiteral("  12  ")), std::int16_t(12));
  EXPECT_EQ(ToInteger16(QStringLiteral("-2.5")), std::int16_t(-2));
  EXPECT_EQ(ToInteger16(QStringLiteral("32767")), std::int16_t(32767));
  EXPECT_EQ(ToInteger16(QStringLiteral("-32768")), std::int16_t(-32768));
  EXPECT_FALSE(ToInteger16(QStringLiteral("32767.5")));
  EXPECT_FALSE(ToInteger16(QStringLiteral("-32769")));
  EXPECT_FALSE(ToInteger16(QStringLiteral("inf")));
  EXPECT_FALSE(ToInteger16(QStringLiteral("nan")));
  EXPECT_FALSE(ToInteger16(QStringLiteral("   ")));
}

TEST(IniFile, FolderValues) {
  // One trailing separator goes from the photos folder only.
  EXPECT_EQ(ReadIni("PhotosRootFolder,/data/Photos/\r\n").PhotosFolder, "/data/Photos");
  EXPECT_EQ(ReadIni("PhotosRootFolder,/data/Photos//\r\n").PhotosFolder, "/data/Photos/");
  EXPECT_EQ(ReadIni("PhotosRootFolder,\"C:\\Photos\\\"\r\n").PhotosFolder, "C:\\Photos");
  EXPECT_EQ(ReadIni("PhotosRootFolder,\"\"\r\n").PhotosFolder, "");
  EXPECT_EQ(ReadIni("DatabasePath,/data/Database/\r\n").DataFolder, "/data/Database/");
  // "CDD Path": the CD's root followed by the folder name, or the no-CD text.
  AppSettings s = ReadIni("PhotosRootFolder,CDD Path\r\nDatabasePath,CDD Path\r\n");
  EXPECT_EQ(s.PhotosFolder, "/media/cdrom/Photos");
  EXPECT_EQ(s.DataFolder, "/media/cdrom/Database");
  s = ReadIni("PhotosRootFolder,CDD Path\r\nDatabasePath,CDD Path\r\n", kNoCdRom);
  EXPECT_EQ(s.PhotosFolder, "No CD_ROM InstalledPhotos");
  EXPECT_EQ(s.DataFolder, "No CD_ROM InstalledDatabase");
  // Exactly so: another case is a plain folder name.
  EXPECT_EQ(ReadIni("DatabasePath,cdd path\r\n").DataFolder, "cdd path");
}

TEST(IniFile, BadFilesStopReadingCleanly) {
  // A missing file leaves everything empty.
  AppSettings s;
  ReadIniFile(QStringLiteral("/nonexistent/VykMarina.ini"), s, [] { return QString(); });
  EXPECT_EQ(s.EditionName, "");
  // A file that ends after a key keeps what came before.
  s = ReadIni("Edition,\"New England\"\r\nList");
  EXPECT_EQ(s.EditionName, "New England");
  EXPECT_EQ(s.EditionFilter, "");
  // Binary content and an unterminated quote do not crash.
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 37) % 256));
  ReadIni(binary);
  s = ReadIni("Edition,\"New England\"\r\nList,\"never closed\r\nGeoCode,9\r\n");
  EXPECT_EQ(s.EditionName, "New England");
  // A huge file is read from its beginning only.
  QByteArray huge = "Edition,\"Big\"\r\n";
  huge.append(QByteArray(8 * 1024 * 1024, 'x'));
  s = ReadIni(huge);
  EXPECT_EQ(s.EditionName, "Big");
}

TEST(CdRom, FirstOpticalMountInTheMountTable) {
  QTemporaryDir dir;
  const auto table = [&](const QByteArray& content) {
    QFile f(dir.filePath(QStringLiteral("mounts")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
    f.close();
    return FindCDROM(f.fileName());
  };
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\n/dev/sr0 /media/cd\\040rom iso9660 ro 0 0\n"
                  "/dev/sr1 /media/dvd udf ro 0 0\n"),
            "/media/cd rom/");
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\n/dev/sr1 /media/dvd udf ro 0 0\n"), "/media/dvd/");
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n"), kNoCdRom);
  EXPECT_EQ(FindCDROM(dir.filePath(QStringLiteral("no-such-table"))), kNoCdRom);
}

TEST(BrowserCheck, OnlyMajorVersionSixPasses) {
  EXPECT_EQ(MajorVersionText(QStringLiteral("6.4.2")), "6");
  EXPECT_EQ(MajorVersionText(QStringLiteral("10.1")), "10");
  EXPECT_EQ(MajorVersionText(QStringLiteral("")), "ERROR");
  EXPECT_EQ(MajorVersionText(QStringLiteral("v6")), "ERROR");
  EXPECT_TRUE(BrowserVersionAccepted(QStringLiteral("6")));
  for (const char* v : {"5", "7", "10", "06", "6.0", "ERROR", ""})
    EXPECT_FALSE(BrowserVersionAccepted(QString::fromLatin1(v))) << v;
}

TEST(EditionTitle, FromTheFirstLine) {
  EXPECT_EQ(EditionTitleFromLine(QStringLiteral("Edition,\"New England\"")), "New England");
  EXPECT_EQ(EditionTitleFromLine(QStringLiteral("  Edition,\"New England\"   ")), "New England");
  // The key is not looked at.
  EXPECT_EQ(EditionTitleFromLine(QStringLiteral("List,\"Chesapeake\"")), "Chesapeake");
  // A blank between comma and quote leaves the opening quote in front.
  EXPECT_EQ(EditionTitleFromLine(QStringLiteral("Edition, \"New England\"")), "\"New England");
  // No comma: the line without its first and last characters.
  EXPECT_EQ(EditionTitleFromLine(QStringLiteral("Edition")), "ditio");
  // Too short to leave a character to drop.
  EXPECT_FALSE(EditionTitleFromLine(QStringLiteral("E")));
  EXPECT_FALSE(EditionTitleFromLine(QStringLiteral("Edition,\"")));
  EXPECT_FALSE(EditionTitleFromLine(QString()));
}

TEST(EditionTitle, ReadsTheConfigurationFileWhateverTheCaseOfItsName) {
  testing::TempProgramFolder folder(false);
  QFile::remove(folder.Path() + QStringLiteral("/VykMarina.ini"));
  folder.WriteFile(QStringLiteral("VYKMARINA.INI"), "Edition,\"Downeast, Maine\"\r\nList,x\r\n");
  EXPECT_EQ(Parse_String_Edition(), "Downeast, Maine");
  folder.WriteFile(QStringLiteral("VYKMARINA.INI"), "");
  EXPECT_THROW(Parse_String_Edition(), std::runtime_error);
  QFile::remove(folder.Path() + QStringLiteral("/VYKMARINA.INI"));
  EXPECT_THROW(Parse_String_Edition(), std::runtime_error);
}

// The caption (ReadIniFile) and the print header (Parse_String_Edition) read
// the same bytes as the same title.
TEST(EditionTitle, CaptionAndHeaderDecodeTheFileAlike) {
  testing::TempProgramFolder folder(false);
  const struct {
    QByteArray title;
    const char* text;  // UTF-8
  } cases[] = {{"C\xF4te Nord", "C\xC3\xB4te Nord"},
               {"Bob\x92s Coast", "Bob\xE2\x80\x99s Coast"},
               {"C\xC3\xB4te Nord", "C\xC3\xB4te Nord"}};
  for (const auto& c : cases) {
    const QByteArray ini = "Edition,\"" + c.title + "\"\r\nList,x\r\n";
    folder.WriteFile(QStringLiteral("VykMarina.ini"), ini);
    EXPECT_EQ(Parse_String_Edition(), QString::fromUtf8(c.text));
    EXPECT_EQ(ReadIni(ini).EditionName, QString::fromUtf8(c.text));
  }
}

}  // namespace
}  // namespace qw
