#pragma once
// The program's text records (configuration file, criteria files, error log):
// fields separated by commas and line ends outside double quotes, blanks
// before a field skipped, text between double quotes (no escaping), numbers
// bare, CR LF line ends written, CR LF or LF read.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace qw {

// Reads fields one at a time from a whole file's bytes. Bad input (an
// unterminated quote, a binary file, an over-long field) stops reading: the
// read that meets it fails and every later read fails too.
class RecordReader {
 public:
  explicit RecordReader(QByteArray content);
  // Reads a whole file; nullopt when it cannot be opened or read.
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
  QByteArray data_;
  qsizetype pos_ = 0;
  bool stopped_ = false;
  QString reason_;
};

// Writes records: each call writes one line of comma-separated fields.
// Texts go between double quotes as they are, numbers bare in decimal,
// date-times between # signs as yyyy-mm-dd hh:mm:ss (time left out at
// midnight), booleans as #TRUE# / #FALSE#, Null as #NULL#. Lines end in CR LF.
class RecordWriter {
 public:
  void WriteRecord(const QVariantList& fields);
  const QByteArray& Data() const { return data_; }
  static QByteArray FormatField(const QVariant& field);

 private:
  QByteArray data_;
};

}  // namespace qw
