#pragma once
// Bytes of the program's own text files (configuration file, criteria files,
// error log) as text, and text as bytes. Files are written in Windows-1252,
// the single-byte code page that older editions and Windows editors read,
// whenever every character fits it, and in UTF-8 otherwise; both read back.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qw {

// The bytes as UTF-8 when they are valid UTF-8, otherwise as Windows-1252
// ("Bob\x92s" reads "Bob’s", "C\xF4te Nord" reads "Côte Nord"). The five
// bytes that Windows-1252 leaves undefined read as the control characters
// of the same number, so no byte is lost.
// A leading byte-order mark is dropped unless keepLeadingBom (a field inside
// a file, where it is part of the text).
QString DecodeText(QByteArrayView bytes, bool keepLeadingBom = false);

// Whether the text can be written in Windows-1252 and read back as itself by
// DecodeText: every character has a byte there, and those bytes are not also
// valid UTF-8 of another text ("Ã©" is C3 A9, which reads as "é").
bool FitsWindows1252(QStringView text);

// The text in Windows-1252; a character without a byte there becomes "?".
QByteArray EncodeWindows1252(QStringView text);

}  // namespace qw
