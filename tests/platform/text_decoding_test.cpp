#include <gtest/gtest.h>

#include "platform/text_decoding.h"

namespace {

TEST(DecodeText, Utf8WhenValidOtherwiseWindows1252) {
  const struct {
    QByteArray bytes;
    const char* text;  // UTF-8
  } cases[] = {
      {"", ""},
      {"New England", "New England"},
      {"C\xC3\xB4te Nord", "C\xC3\xB4te Nord"},         // valid UTF-8
      {"C\xF4te Nord", "C\xC3\xB4te Nord"},             // single-byte
      {"Bob\x92s", "Bob\xE2\x80\x99s"},                 // right single quote, not a C1 control
      {"\x80 5, \x93x\x94, \x96", "\xE2\x82\xAC 5, \xE2\x80\x9Cx\xE2\x80\x9D, \xE2\x80\x93"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined bytes kept
      {"Caf\xC3", "Caf\xC3\x83"},                       // cut-off sequence: the whole text is single-byte
      {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},     // one invalid byte decides for the whole text
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                 // overlong form is not UTF-8
  };
  for (const auto& c : cases)
    EXPECT_EQ(qw::DecodeText(c.bytes), QString::fromUtf8(c.text)) << c.bytes.toHex().constData();
}

}  // namespace
