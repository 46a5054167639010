#include "platform/text_decoding.h"

#include <QStringDecoder>

namespace qw {
namespace {

// Only 0x80-0x9F differ from Latin-1; a table of our own keeps the result the
// same on every Qt build, with or without extra codecs.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

QString DecodeWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
  }
  return text;
}

// The character's byte in Windows-1252; -1 when it has none.
int Windows1252Byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == c) return 0x80 + i;
  }
  return -1;
}

bool IsUtf8(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  // The decoding runs when its result is taken as a QString.
  const QString text = utf8.decode(bytes);
  return !utf8.hasError();
}

}  // namespace

QString DecodeText(QByteArrayView bytes, bool keepLeadingBom) {
  QStringDecoder utf8(QStringDecoder::Utf8, keepLeadingBom ? QStringDecoder::Flag::Stateless |
                                                                 QStringDecoder::Flag::ConvertInitialBom
                                                           : QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return DecodeWindows1252(bytes);
}

bool FitsWindows1252(QStringView text) {
  bool ascii = true;
  for (const QChar c : text) {
    const int b = Windows1252Byte(c.unicode());
    if (b < 0) return false;
    ascii = ascii && b < 0x80;
  }
  return ascii || !IsUtf8(EncodeWindows1252(text));
}

QByteArray EncodeWindows1252(QStringView text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  char* out = bytes.data();
  for (const QChar c : text) {
    const int b = Windows1252Byte(c.unicode());
    *out++ = static_cast<char>(b < 0 ? '?' : b);
  }
  return bytes;
}

}  // namespace qw
