// Subsets of one font gathered into one program: only where they agree on
// every glyph they both hold, a blank included.
#include <QtEndian>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/font_union.h"

namespace {

// A glyph of a fixture font: its outline (any bytes; empty for a blank or a
// glyph left out) and advance (0 for a glyph left out).
struct Glyph {
  QByteArray outline;
  quint16 advance = 0;
  bool operator==(const Glyph&) const = default;
};

template <typename T>
void Put(QByteArray& d, T v) {
  d.resize(d.size() + qsizetype(sizeof v));
  qToBigEndian(v, d.data() + d.size() - qsizetype(sizeof v));
}

// A TrueType program holding just these glyphs, numbered in order.
QByteArray Font(const std::vector<Glyph>& glyphs) {
  QByteArray head(54, '\0');
  qToBigEndian<quint32>(0x00010000, head.data());
  qToBigEndian<quint32>(0x5F0F3CF5, head.data() + 12);
  qToBigEndian<quint16>(1000, head.data() + 18);
  qToBigEndian<quint16>(1, head.data() + 50);  // long offsets
  QByteArray hhea(36, '\0');
  qToBigEndian<quint32>(0x00010000, hhea.data());
  qToBigEndian<quint16>(quint16(glyphs.size()), hhea.data() + 34);
  QByteArray maxp(32, '\0');
  qToBigEndian<quint32>(0x00010000, maxp.data());
  qToBigEndian<quint16>(quint16(glyphs.size()), maxp.data() + 4);
  QByteArray glyf, loca, hmtx;
  for (const Glyph& g : glyphs) {
    Put<quint32>(loca, quint32(glyf.size()));
    glyf += g.outline;
    Put<quint16>(hmtx, g.advance);
    Put<qint16>(hmtx, 0);
  }
  Put<quint32>(loca, quint32(glyf.size()));
  QByteArray post(32, '\0');
  qToBigEndian<quint32>(0x00030000, post.data());
  const std::map<QByteArray, QByteArray> tables = {{"glyf", glyf}, {"head", head}, {"hhea", hhea}, {"hmtx", hmtx},
                                                   {"loca", loca}, {"maxp", maxp}, {"post", post}};
  QByteArray font;
  Put<quint32>(font, 0x00010000);
  Put<quint16>(font, quint16(tables.size()));
  for (int i = 0; i < 3; ++i) Put<quint16>(font, 0);  // search fields, unread
  QByteArray body;
  const quint32 start = 12 + 16 * quint32(tables.size());
  for (const auto& [tag, data] : tables) {
    font += tag;
    Put<quint32>(font, 0);
    Put<quint32>(font, start + quint32(body.size()));
    Put<quint32>(font, quint32(data.size()));
    body += data;
    while (body.size() % 4) body += '\0';
  }
  return font + body;
}

// The glyphs of a program, read back.
std::vector<Glyph> Glyphs(const QByteArray& font) {
  std::map<QByteArray, QByteArray> tables;
  const int count = qFromBigEndian<quint16>(font.constData() + 4);
  for (int i = 0; i < count; ++i) {
    const char* record = font.constData() + 12 + 16 * i;
    tables[QByteArray(record, 4)] = font.mid(qFromBigEndian<quint32>(record + 8), qFromBigEndian<quint32>(record + 12));
  }
  const int n = qFromBigEndian<quint16>(tables["maxp"].constData() + 4);
  const auto offset = [&](int g) { return qsizetype(qFromBigEndian<quint32>(tables["loca"].constData() + 4 * g)); };
  std::vector<Glyph> glyphs;
  for (int g = 0; g < n; ++g)
    glyphs.push_back({tables["glyf"].mid(offset(g), offset(g + 1) - offset(g)),
                      qFromBigEndian<quint16>(tables["hmtx"].constData() + 4 * g)});
  return glyphs;
}

TEST(TrueTypeUnion, GathersOnlySubsetsThatAgreeOnEveryGlyphTheyHold) {
  const Glyph notdef{"box.", 500}, A{"A...", 600}, b{"b...", 520}, c{"c...", 480}, d{"d...", 520};
  const Glyph blank{{}, 250}, none{};
  struct Case {
    const char* name;
    std::vector<std::vector<Glyph>> subsets;
    std::vector<bool> taken;
    std::vector<Glyph> gathered;  // the program of the subsets taken
  };
  const Case cases[] = {
      // The engine's subsets keep the font's numbers: what one leaves out
      // (no outline, no advance), the other may hold.
      {"the engine's subsets of one font",
       {{notdef, A, none, blank, none}, {notdef, none, b, blank, d}},
       {true, true},
       {notdef, A, b, blank, d}},
      {"a longer second subset", {{notdef, A}, {notdef, none, none, c}}, {true, true}, {notdef, A, none, c}},
      {"another glyph under one number", {{notdef, A, b}, {notdef, A, c}}, {true, false}, {notdef, A, b}},
      // Subsets numbered in the order the text used the glyphs ("Ab d" and
      // "Abcd"): the blank where the other has a "c" is no glyph left out.
      {"a blank and a glyph under one number",
       {{notdef, A, b, blank, d}, {notdef, A, b, c, d}},
       {true, false},
       {notdef, A, b, blank, d}},
      {"the same outline at another advance", {{notdef, A}, {notdef, {"A...", 610}}}, {true, false}, {notdef, A}},
      {"not a TrueType program", {{notdef, A}, {}}, {true, false}, {notdef, A}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    qw::TrueTypeUnion gathered;
    for (size_t i = 0; i < c.subsets.size(); ++i) {
      const QByteArray program = c.subsets[i].empty() ? QByteArray("OTTO\0\0\0\0", 8) : Font(c.subsets[i]);
      EXPECT_EQ(gathered.Add(program), c.taken[i]) << i;
    }
    EXPECT_EQ(Glyphs(gathered.Program()), c.gathered);
    // The program is one TrueType font again, with the same identity.
    EXPECT_EQ(qw::TrueTypeUnion::Identity(gathered.Program()), qw::TrueTypeUnion::Identity(Font(c.subsets[0])));
  }
}

}  // namespace
