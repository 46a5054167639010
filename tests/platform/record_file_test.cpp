#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/testing.h"
#include "platform/record_file.h"

namespace {

QStringList ReadAll(qw::RecordReader& reader) {
  QStringList fields;
  QString field;
  while (reader.ReadField(field)) fields << field;
  return fields;
}

QStringList ReadAll(const QByteArray& content) {
  qw::RecordReader reader(content);
  return ReadAll(reader);
}

TEST(RecordReader, SplitsFieldsAtCommasAndLineEndsOutsideQuotes) {
  const std::pair<QByteArray, QStringList> cases[] = {
      {"Edition,\"New England\"\r\nList,In 7th Edition\r\nGeoCode,5-16\r\n",
       {"Edition", "New England", "List", "In 7th Edition", "GeoCode", "5-16"}},
      // LF and lone CR line ends read like CR LF.
      {"a,b\nc,d\re,f", {"a", "b", "c", "d", "e", "f"}},
      // A quoted value may hold commas and line ends; quotes are not part of it.
      {"Edition,\"Cape Cod, Islands\"\r\n\"x\r\ny\",z", {"Edition", "Cape Cod, Islands", "x\r\ny", "z"}},
      // Blanks are skipped before a field only, and after a closing quote with it.
      {"  key ,\t value  \r\n", {"key ", "value  "}},
      {"GeoCode, 5 - 16", {"GeoCode", "5 - 16"}},
      {"Edition,\"New England\"   \r\nList,x", {"Edition", "New England", "List", "x"}},
      // An empty line or field is one empty field (and shifts the pairing of every later one).
      {"a,b\r\n\r\nc,d\r\n", {"a", "b", "", "c", "d"}},
      {"a,,b\r\nc,\r\n", {"a", "", "b", "c", ""}},
      {"\"\",x", {"", "x"}},
      {"", {}},
      // UTF-8 (with or without its mark), otherwise Windows-1252.
      {"\xEF\xBB\xBFkey,\"Caf\xC3\xA9\"", {"key", QString::fromUtf8("Caf\xC3\xA9")}},
      {"key,\"Bob\x92s Caf\xE9\"", {"key", QString::fromUtf8("Bob\xE2\x80\x99s Caf\xC3\xA9")}},
  };
  for (const auto& [content, fields] : cases) EXPECT_EQ(ReadAll(content), fields) << content.toStdString();
}

TEST(RecordReader, AKeyAtTheEndOfTheFileHasNoValue) {
  qw::RecordReader reader("Edition,\"New England\"\r\nList");
  QString key, value;
  ASSERT_TRUE(reader.ReadField(key));
  ASSERT_TRUE(reader.ReadField(value));
  ASSERT_TRUE(reader.ReadField(key));
  EXPECT_EQ(key, "List");
  EXPECT_TRUE(reader.AtEnd());
  value = "unchanged";
  EXPECT_FALSE(reader.ReadField(value));
  EXPECT_EQ(value, "unchanged");
  EXPECT_FALSE(reader.Stopped());
}

TEST(RecordReader, BadInputStopsReadingCleanly) {
  {
    qw::RecordReader reader("Edition,\"New England\r\nList,x\r\n");
    EXPECT_EQ(ReadAll(reader), QStringList{"Edition"});
    EXPECT_TRUE(reader.Stopped());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_TRUE(reader.StopReason().contains("quote"));
  }
  {
    QByteArray binary("Edition,x\r\n");
    binary += QByteArray("MZ\x90\x00\x03\x00\x00\x00", 8);
    qw::RecordReader reader(binary);
    EXPECT_EQ(ReadAll(reader), (QStringList{"Edition", "x"}));
    EXPECT_TRUE(reader.Stopped());
    QString field;
    EXPECT_FALSE(reader.ReadField(field));  // stays stopped
  }
  {
    // A 10 MB line without a delimiter stops at the field limit.
    QByteArray line = "key,";
    line += QByteArray(10 * 1024 * 1024, 'x');
    qw::RecordReader reader(line);
    EXPECT_EQ(ReadAll(reader), QStringList{"key"});
    EXPECT_TRUE(reader.Stopped());
    EXPECT_TRUE(reader.StopReason().contains("longer"));
  }
  {
    QByteArray quoted = "\"";
    quoted += QByteArray(qw::RecordReader::kMaxFieldBytes + 10, 'y');
    quoted += "\"";
    qw::RecordReader reader(quoted);
    EXPECT_TRUE(ReadAll(reader).isEmpty());
    EXPECT_TRUE(reader.Stopped());
  }
}

TEST(RecordReader, FromFileReadsAFileAndRefusesAMissingOne) {
  QTemporaryDir dir;
  const QString path = dir.filePath("crit.vyk");
  EXPECT_FALSE(qw::RecordReader::FromFile(path).has_value());
  EXPECT_FALSE(qw::RecordReader::FromFile(dir.path()).has_value() &&
               !qw::RecordReader::FromFile(dir.path())->AtEnd());
  ASSERT_TRUE(qw::testing::WriteFile(path, "\"cboFuel\",2\r\n"));
  auto reader = qw::RecordReader::FromFile(path);
  ASSERT_TRUE(reader.has_value());
  EXPECT_EQ(ReadAll(*reader), (QStringList{"cboFuel", "2"}));
}

TEST(RecordWriter, FormatsEachKindOfField) {
  const std::pair<QVariant, const char*> cases[] = {
      {QString("cboFuel"), "\"cboFuel\""}, {QString("say \"hi\""), "\"say \"\"hi\"\"\""}, {2, "2"}, {-1, "-1"},
      {150.0, "150"}, {45.5, "45.5"}, {true, "#TRUE#"}, {false, "#FALSE#"},
      {QVariant(QMetaType::fromType<QString>()), "#NULL#"}, {QVariant(), ""},
      {QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)), "#2026-03-07 09:05:03#"},
      // Exactly midnight leaves the time out.
      {QDateTime(QDate(2026, 3, 7), QTime(0, 0)), "#2026-03-07#"},
      {QDateTime(QDate(2026, 3, 7), QTime(0, 0, 1)), "#2026-03-07 00:00:01#"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(qw::RecordWriter::FormatField(value), text) << text;
}

TEST(RecordWriter, WritesCrLfLinesThatReadBack) {
  qw::RecordWriter writer;
  writer.WriteRecord({QDateTime(QDate(2026, 1, 2), QTime(13, 14, 15)), QString("DavedoZoroz"),
                      QString("OpenMyDatabase"), QString("Err"), 3043, QString("DAO.Database"),
                      QString("Disk or network error.")});
  writer.WriteRecord({QString("tbMarinaName"), QString(" Sandy, Cove ")});
  writer.WriteRecord({QString("cmbmfac(0)"), 3});
  EXPECT_EQ(writer.Data(),
            "#2026-01-02 13:14:15#,\"DavedoZoroz\",\"OpenMyDatabase\",\"Err\",3043,\"DAO.Database\","
            "\"Disk or network error.\"\r\n\"tbMarinaName\",\" Sandy, Cove \"\r\n\"cmbmfac(0)\",3\r\n");
  qw::RecordReader reader(writer.Data());
  QStringList fields = ReadAll(reader);
  ASSERT_EQ(fields.size(), 11);
  EXPECT_EQ(fields.mid(7), (QStringList{"tbMarinaName", " Sandy, Cove ", "cmbmfac(0)", "3"}));
}

TEST(RecordWriter, EveryTextReadsBackAsWritten) {
  // Quotes, separators, line ends and control characters inside a text; a
  // NUL, which would mark binary data, is left out.
  const QString texts[] = {
      "near \"x\": syntax error", "\"", "\"\"", "a\"\",\"b", "x,\r\ny\rz\n", " \t lead", "\x01\x1b\x7f",
      QString::fromUtf8("Caf\xC3\xA9 \xE2\x80\x99"), QString(), QString(QChar(0xFEFF)) + "bom",
  };
  for (const QString& text : texts) {
    qw::RecordWriter writer;
    writer.WriteRecord({text, 7, text});
    EXPECT_EQ(ReadAll(writer.Data()), (QStringList{text, "7", text})) << writer.Data().toStdString();
  }
  qw::RecordWriter nul;
  nul.WriteRecord({QString("a") + QChar(0) + "b"});
  EXPECT_EQ(ReadAll(nul.Data()), QStringList{"ab"});
  qw::RecordReader binary(QByteArray("\"a\0b\",x", 7));
  EXPECT_TRUE(ReadAll(binary).isEmpty());
  EXPECT_TRUE(binary.Stopped());
}

TEST(RecordWriter, SavesByReplacingOrAppending) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ErrorLog.txt");
  qw::RecordWriter first;
  first.WriteRecord({QString("a")});
  ASSERT_TRUE(first.SaveTo(path, true));
  ASSERT_TRUE(first.SaveTo(path, true));
  EXPECT_EQ(qw::testing::ReadFile(path), "\"a\"\r\n\"a\"\r\n");
  ASSERT_TRUE(first.SaveTo(path));
  EXPECT_EQ(qw::testing::ReadFile(path), "\"a\"\r\n");
  EXPECT_FALSE(first.SaveTo(dir.filePath("no/such/folder/ErrorLog.txt"), true));
}

}  // namespace
