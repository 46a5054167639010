#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "common/testing.h"
#include "platform/program.h"
#include "services/config_file.h"

namespace qw {
namespace {

// Reads a configuration file of the given bytes; "CDD Path" finds the CD at cdRoot.
AppSettings ReadIni(const QByteArray& content, const QString& cdRoot = QStringLiteral("/media/cdrom/")) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("VykMarina.ini"));
  EXPECT_TRUE(testing::WriteFile(path, content));
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
  // A GeoCode value followed by "List,after", read only when reading goes on.
  const struct {
    QByteArray file;
    int single, from, to;
    const char* list;
  } cases[] = {
      {"9", 9, 0, 0, "after"},
      {"5-16", 0, 5, 16, "after"},
      {"5 - 16", 0, 5, 16, "after"},
      // Nothing after the hyphen: GeoCodeFrom is kept and reading stops there.
      {"5-", 0, 5, 0, ""},
      // Fractions round to the nearest, halves to the even one.
      {"2.5", 2, 0, 0, "after"},
      {"3.5", 4, 0, 0, "after"},
      {"7.6", 8, 0, 0, "after"},
      // Out of range and not a number stop reading.
      {"40000", 0, 0, 0, ""},
      {"abc", 0, 0, 0, ""},
      {"", 0, 0, 0, ""},
      {"0x10", 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    const AppSettings s = ReadIni("GeoCode," + c.file + "\r\nList,after\r\n");
    EXPECT_EQ(s.SingleGeoCode, c.single) << c.file.constData();
    EXPECT_EQ(s.GeoCodeFrom, c.from) << c.file.constData();
    EXPECT_EQ(s.GeoCodeTo, c.to) << c.file.constData();
    EXPECT_EQ(s.EditionFilter, c.list) << c.file.constData();
  }
  // A single code and a range in one file both stay set.
  const AppSettings both = ReadIni("GeoCode,9\r\nGeoCode,5-16\r\n");
  EXPECT_EQ(std::tuple(both.SingleGeoCode, both.GeoCodeFrom, both.GeoCodeTo), std::tuple(9, 5, 16));
  // A file without the key leaves all three at 0.
  const AppSettings none = ReadIni("Edition,\"New England\"\r\n");
  EXPECT_EQ(none.SingleGeoCode + none.GeoCodeFrom + none.GeoCodeTo, 0);
}

TEST(IniFile, Integer16Conversion) {
  const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
      {"  12  ", 12}, {"-2.5", -2}, {"32767", 32767}, {"-32768", -32768},
      {"32767.5", std::nullopt}, {"-32769", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
      {"   ", std::nullopt}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ToInteger16(QString::fromLatin1(text)), value) << text;
}

TEST(IniFile, FolderValues) {
  constexpr QString AppSettings::*photos = &AppSettings::PhotosFolder;
  constexpr QString AppSettings::*data = &AppSettings::DataFolder;
  const QByteArray cdd = "PhotosRootFolder,CDD Path\r\nDatabasePath,CDD Path\r\n";
  const QString cd = QStringLiteral("/media/cdrom/");
  const struct {
    QByteArray file;
    QString cdRoot;
    QString AppSettings::*folder;
    const char* expected;
  } cases[] = {
      // One trailing separator goes from the photos folder only.
      {"PhotosRootFolder,/data/Photos/\r\n", cd, photos, "/data/Photos"},
      {"PhotosRootFolder,/data/Photos//\r\n", cd, photos, "/data/Photos/"},
      {"PhotosRootFolder,\"C:\\Photos\\\"\r\n", cd, photos, "C:\\Photos"},
      {"PhotosRootFolder,\"\"\r\n", cd, photos, ""},
      {"DatabasePath,/data/Database/\r\n", cd, data, "/data/Database/"},
      // "CDD Path": the CD's root followed by the folder name, or the no-CD text.
      {cdd, cd, photos, "/media/cdrom/Photos"},
      {cdd, cd, data, "/media/cdrom/Database"},
      {cdd, kNoCdRom, photos, "No CD_ROM InstalledPhotos"},
      {cdd, kNoCdRom, data, "No CD_ROM InstalledDatabase"},
      // Exactly so: another case is a plain folder name.
      {"DatabasePath,cdd path\r\n", cd, data, "cdd path"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadIni(c.file, c.cdRoot).*c.folder, c.expected)
        << c.file.constData() << " " << c.cdRoot.toStdString();
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
    EXPECT_TRUE(testing::WriteFile(dir.filePath(QStringLiteral("mounts")), content));
    return FindCDROM(dir.filePath(QStringLiteral("mounts")));
  };
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\n/dev/sr0 /media/cd\\040rom iso9660 ro 0 0\n"
                  "/dev/sr1 /media/dvd udf ro 0 0\n"),
            "/media/cd rom/");
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\n/dev/sr1 /media/dvd udf ro 0 0\n"), "/media/dvd/");
  EXPECT_EQ(table("/dev/sda1 / ext4 rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n"), kNoCdRom);
  EXPECT_EQ(FindCDROM(dir.filePath(QStringLiteral("no-such-table"))), kNoCdRom);
}

TEST(BrowserCheck, OnlyMajorVersionSixPasses) {
  for (const auto& [version, major] : {std::pair{"6.4.2", "6"}, {"10.1", "10"}, {"", "ERROR"}, {"v6", "ERROR"}})
    EXPECT_EQ(MajorVersionText(QString::fromLatin1(version)), major) << version;
  EXPECT_TRUE(BrowserVersionAccepted(QStringLiteral("6")));
  for (const char* v : {"5", "7", "10", "06", "6.0", "ERROR", ""})
    EXPECT_FALSE(BrowserVersionAccepted(QString::fromLatin1(v))) << v;
}

TEST(EditionTitle, FromTheFirstLine) {
  const std::pair<QString, std::optional<QString>> cases[] = {
      {"Edition,\"New England\"", "New England"},
      {"  Edition,\"New England\"   ", "New England"},
      {"List,\"Chesapeake\"", "Chesapeake"},               // the key is not looked at
      {"Edition, \"New England\"", "\"New England"},       // a blank before the quote keeps the quote
      {"Edition", "ditio"},                                // no comma: without first and last character
      {"E", std::nullopt},                                 // too short to leave a character to drop
      {"Edition,\"", std::nullopt},
      {QString(), std::nullopt},
  };
  for (const auto& [line, title] : cases) EXPECT_EQ(EditionTitleFromLine(line), title) << line.toStdString();
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
