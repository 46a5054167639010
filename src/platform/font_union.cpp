#include "platform/font_union.h"

#include <QtEndian>
#include <algorithm>
#include <map>
#include <optional>

namespace qw {
namespace {

quint32 U32(const QByteArray& d, qsizetype at) { return qFromBigEndian<quint32>(d.constData() + at); }
quint16 U16(const QByteArray& d, qsizetype at) { return qFromBigEndian<quint16>(d.constData() + at); }
void Set16(QByteArray& d, qsizetype at, quint16 v) { qToBigEndian(v, d.data() + at); }
void Set32(QByteArray& d, qsizetype at, quint32 v) { qToBigEndian(v, d.data() + at); }

template <typename T>
void Add(QByteArray& d, T v) {
  d.resize(d.size() + qsizetype(sizeof v));
  qToBigEndian(v, d.data() + d.size() - qsizetype(sizeof v));
}
void Add16(QByteArray& d, quint16 v) { Add(d, v); }
void Add32(QByteArray& d, quint32 v) { Add(d, v); }

quint32 Checksum(const QByteArray& data) {
  QByteArray padded = data;
  while (padded.size() % 4) padded += '\0';
  quint32 sum = 0;
  for (qsizetype i = 0; i < padded.size(); i += 4) sum += U32(padded, i);
  return sum;
}

// Tables made anew from the glyphs gathered, and those that list glyphs by
// number for a use a PDF does not make of them (they would no longer match).
const char* const kRebuilt[] = {"glyf", "loca", "hmtx", "head", "hhea", "maxp", "post"};
const char* const kDropped[] = {"GSUB", "GPOS", "GDEF", "kern", "hdmx", "LTSH", "DSIG", "vhea", "vmtx", "VORG"};

template <size_t N>
bool Listed(const QByteArray& tag, const char* const (&tags)[N]) {
  return std::any_of(std::begin(tags), std::end(tags), [&](const char* t) { return tag == t; });
}

struct Font {
  std::vector<std::pair<QByteArray, QByteArray>> tables;  // in order
  std::map<QByteArray, QByteArray> byTag;
  std::vector<QByteArray> glyphs;
  std::vector<std::pair<quint16, qint16>> metrics;
};

std::optional<Font> Parse(const QByteArray& program) {
  if (program.size() < 12) return std::nullopt;
  const quint32 version = U32(program, 0);
  if (version != 0x00010000 && version != 0x74727565) return std::nullopt;  // 1.0 or 'true'
  const int count = U16(program, 4);
  if (12 + 16 * qsizetype(count) > program.size()) return std::nullopt;
  Font font;
  for (int i = 0; i < count; ++i) {
    const qsizetype record = 12 + 16 * qsizetype(i);
    const quint32 offset = U32(program, record + 8);
    const quint32 length = U32(program, record + 12);
    if (quint64(offset) + length > quint64(program.size())) return std::nullopt;
    const QByteArray tag = program.mid(record, 4);
    font.tables.emplace_back(tag, program.mid(offset, length));
    font.byTag[tag] = font.tables.back().second;
  }
  const QByteArray head = font.byTag["head"];
  const QByteArray hhea = font.byTag["hhea"];
  const QByteArray maxp = font.byTag["maxp"];
  const QByteArray loca = font.byTag["loca"];
  const QByteArray glyf = font.byTag["glyf"];
  const QByteArray hmtx = font.byTag["hmtx"];
  if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6) return std::nullopt;
  const int glyphs = U16(maxp, 4);
  const bool longOffsets = U16(head, 50) == 1;
  const int metrics = U16(hhea, 34);
  if (glyphs == 0 || metrics == 0 || metrics > glyphs ||
      loca.size() < qsizetype(glyphs + 1) * (longOffsets ? 4 : 2) ||
      hmtx.size() < 4 * qsizetype(metrics) + 2 * qsizetype(glyphs - metrics))
    return std::nullopt;
  const auto offset = [&](int g) { return longOffsets ? qsizetype(U32(loca, 4 * g)) : 2 * qsizetype(U16(loca, 2 * g)); };
  for (int g = 0; g < glyphs; ++g) {
    const qsizetype start = offset(g);
    const qsizetype end = offset(g + 1);
    if (end < start || end > glyf.size()) return std::nullopt;
    font.glyphs.push_back(glyf.mid(start, end - start));
    const int m = std::min(g, metrics - 1);
    const qsizetype side = g < metrics ? 4 * qsizetype(g) + 2 : 4 * qsizetype(metrics) + 2 * qsizetype(g - metrics);
    font.metrics.emplace_back(U16(hmtx, 4 * qsizetype(m)), qint16(U16(hmtx, side)));
  }
  return font;
}

}  // namespace

QByteArray TrueTypeUnion::Identity(const QByteArray& program) {
  const std::optional<Font> font = Parse(program);
  if (!font) return {};
  const QByteArray head = font->byTag.at("head");
  // Revision; flags and units; created and modified.
  return head.mid(4, 4) + head.mid(16, 20);
}

namespace {

bool Held(const Font& font, size_t g) { return !font.glyphs[g].isEmpty() || font.metrics[g].first != 0; }

}  // namespace

bool TrueTypeUnion::Add(const QByteArray& program) {
  const std::optional<Font> font = Parse(program);
  if (!font) return false;
  const size_t shared = std::min(glyphs_.size(), font->glyphs.size());
  for (size_t g = 0; g < shared; ++g)
    if (held_[g] && Held(*font, g) && (glyphs_[g] != font->glyphs[g] || metrics_[g] != font->metrics[g])) return false;
  const QByteArray maxp = font->byTag.at("maxp");
  if (head_.isEmpty()) {
    for (const auto& [tag, data] : font->tables)
      if (!Listed(tag, kRebuilt) && !Listed(tag, kDropped)) tables_.emplace_back(tag, data);
    head_ = font->byTag.at("head");
    hhea_ = font->byTag.at("hhea");
    maxp_ = maxp;
    post_ = font->byTag.count("post") ? font->byTag.at("post") : QByteArray();
  } else if (U32(maxp_, 0) == 0x00010000 && U32(maxp, 0) == 0x00010000 && maxp_.size() >= 32 && maxp.size() >= 32) {
    // What the glyphs need of the renderer (points, contours, depth, ...).
    for (qsizetype at = 6; at < 32; at += 2) Set16(maxp_, at, std::max(U16(maxp_, at), U16(maxp, at)));
  }
  if (glyphs_.size() < font->glyphs.size()) {
    glyphs_.resize(font->glyphs.size());
    metrics_.resize(font->glyphs.size());
    held_.resize(font->glyphs.size());
  }
  for (size_t g = 0; g < font->glyphs.size(); ++g) {
    if (held_[g] || !Held(*font, g)) continue;
    glyphs_[g] = font->glyphs[g];
    metrics_[g] = font->metrics[g];
    held_[g] = true;
  }
  return true;
}

QByteArray TrueTypeUnion::Program() const {
  const auto glyphs = quint16(glyphs_.size());
  QByteArray glyf;
  QByteArray loca;
  QByteArray hmtx;
  for (size_t g = 0; g < glyphs_.size(); ++g) {
    Add32(loca, quint32(glyf.size()));
    glyf += glyphs_[g];
    while (glyf.size() % 4) glyf += '\0';
    Add16(hmtx, metrics_[g].first);
    Add16(hmtx, quint16(metrics_[g].second));
  }
  Add32(loca, quint32(glyf.size()));
  QByteArray head = head_;
  Set32(head, 8, 0);   // checkSumAdjustment, set below
  Set16(head, 50, 1);  // long offsets
  QByteArray hhea = hhea_;
  Set16(hhea, 34, glyphs);
  QByteArray maxp = maxp_;
  Set16(maxp, 4, glyphs);
  // Without glyph names, which are listed by glyph number.
  QByteArray post = post_.size() >= 32 ? post_.left(32) : QByteArray(32, '\0');
  Set32(post, 0, 0x00030000);

  std::vector<std::pair<QByteArray, QByteArray>> tables = tables_;
  for (auto& made : {std::pair{QByteArray("glyf"), glyf}, {QByteArray("loca"), loca}, {QByteArray("hmtx"), hmtx},
                     {QByteArray("head"), head}, {QByteArray("hhea"), hhea}, {QByteArray("maxp"), maxp},
                     {QByteArray("post"), post}})
    tables.push_back(made);
  std::sort(tables.begin(), tables.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  const auto count = quint16(tables.size());
  quint16 power = 1;
  quint16 selector = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++selector;
  }
  QByteArray font;
  Add32(font, 0x00010000);
  Add16(font, count);
  Add16(font, quint16(power * 16));
  Add16(font, selector);
  Add16(font, quint16(count * 16 - power * 16));
  const quint32 offset = 12 + 16 * quint32(count);
  QByteArray body;
  qsizetype headAt = -1;
  for (const auto& [tag, data] : tables) {
    if (tag == "head") headAt = offset + body.size();
    font += tag;
    Add32(font, Checksum(data));
    Add32(font, offset + quint32(body.size()));
    Add32(font, quint32(data.size()));
    body += data;
    while (body.size() % 4) body += '\0';
  }
  font += body;
  // The whole font sums to the constant TrueType asks for.
  Set32(font, headAt + 8, 0xB1B0AFBAu - Checksum(font));
  return font;
}

}  // namespace qw
