#include "platform/text_decoding.h"

#include <QStringDecoder>

namespace qw {
namespace {

QString DecodeWindows1252(QByteArrayView bytes) {
  // Only 0x80-0x9F differ from Latin-1; a table of our own keeps the result
  // the same on every Qt build, with or without extra codecs.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
  };
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
  }
  return text;
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

}  // namespace qw
