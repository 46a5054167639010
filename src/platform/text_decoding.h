#pragma once
// Bytes of the program's own text files (configuration file, criteria files)
// as text. Files written by this program are UTF-8; files written by older
// single-byte editions or edited in a Windows editor are Windows-1252.
#include <QByteArrayView>
#include <QString>

namespace qw {

// The bytes as UTF-8 when they are valid UTF-8, otherwise as Windows-1252
// ("Bob\x92s" reads "Bob’s", "C\xF4te Nord" reads "Côte Nord"). The five
// bytes that Windows-1252 leaves undefined read as the control characters
// of the same number, so no byte is lost.
// A leading byte-order mark is dropped unless keepLeadingBom (a field inside
// a file, where it is part of the text).
QString DecodeText(QByteArrayView bytes, bool keepLeadingBom = false);

}  // namespace qw
