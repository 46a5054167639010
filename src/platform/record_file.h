#pragma once
// The program's text records (configuration file, criteria files, error log):
// fields separated by commas and line ends outside double quotes, blanks
// before a field skipped, text between double quotes (a quote inside it
// doubled), numbers bare, CR LF line ends written, CR LF, LF or a lone CR read.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace qw {

// Reads fields one at a time from a whole file's bytes. Bad input (an
// unterminated quote, a binary file, an over-long field) stops reading: the
// read that meets it fails and every later read fails too.
//
// An empty line is one empty field. A quoted field may hold commas, line
// ends, control characters other than NUL, and quotes written doubled;
// anything between its closing quote and the next comma or line end is
// ignored. Each field is read as UTF-8, or as Windows-1252 when it is not
// valid UTF-8 (files written by older single-byte editions): DecodeText. A
// leading UTF-8 byte-order mark of the file is skipped; one inside a field
// is part of its text.
class RecordReader {
 public:
  // Limits that stop reading instead of swallowing a wrong file whole.
  static constexpr qsizetype kMaxFieldBytes = 64 * 1024;
  static constexpr qsizetype kMaxFileBytes = 16 * 1024 * 1024;

  explicit RecordReader(QByteArray content);
  // Reads a whole file; nullopt when it cannot be opened or read. A file over
  // kMaxFileBytes gives a reader that is stopped from the start.
  static std::optional<RecordReader> FromFile(const QString& path);

  // True when no further field can be read (end of data, or stopped).
  bool AtEnd() const;
  // Reads the next field as text (quotes removed). False at the end or when
  // reading stopped on bad input; out is then left unchanged.
  bool ReadField(QString& out);
  // Whether reading stopped on bad input (as opposed to the plain end).
  bool Stopped() const;
  QString StopReason() const;

 private:
  bool Stop(const QString& reason);
  void SkipDelimiter();

  QByteArray data_;
  qsizetype pos_ = 0;
  bool stopped_ = false;
  QString reason_;
};

// Writes records: each call writes one line of comma-separated fields.
// Texts go between double quotes with a quote inside them doubled and NUL
// characters left out, so that every text reads back as it was written;
// numbers bare in their general form (150, 45.5, -3), date-times between #
// signs as yyyy-mm-dd hh:mm:ss (time left out at midnight), dates as #yyyy-mm-dd#,
// booleans as #TRUE# / #FALSE#, Null (a typed null QVariant) as #NULL#, and
// Empty (an invalid QVariant) as nothing. Lines end in CR LF. The records are
// written in Windows-1252 when every text fits it (FitsWindows1252), so that
// single-byte readers of the same files read them too; in UTF-8 otherwise.
class RecordWriter {
 public:
  void WriteRecord(const QVariantList& fields);
  // The records written so far, encoded.
  QByteArray Data() const;
  // One field as text, before encoding.
  static QString FormatField(const QVariant& field);

  // Writes the records to path, replacing the file whole (WriteWholeFile) or
  // appending to it (created when missing). False when the file cannot be
  // opened or written; nothing is reported.
  bool SaveTo(const QString& path, bool append = false) const;

 private:
  QString text_;
  bool singleByte_ = true;
};

}  // namespace qw
