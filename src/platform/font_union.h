#pragma once
// One TrueType font program made of several subsets of the same font. The
// browser engine embeds in each printed page a subset of every font it uses
// that keeps the font's own glyph numbers, and most of such a subset is the
// font's tables other than its glyphs (hinting programs, metrics, names).
// Subsets that agree on every glyph they share are gathered into one program
// that serves each of them, so a document of many pages holds each font
// once.
//
// Only such subsets may be gathered: one whose glyphs are numbered in the
// order the text used them (as a PDF writer's own subsets are) puts other
// glyphs under the same numbers. A subset holds a glyph when it has an
// outline or an advance: a glyph left out of it has neither, while a blank
// (the space) has an advance and no outline, and differs from any glyph with
// an outline.
#include <QByteArray>
#include <array>
#include <utility>
#include <vector>

namespace qw {

class TrueTypeUnion {
 public:
  // What tells one font from another within a family name: its revision,
  // units and dates as its header gives them; empty for what is not a
  // TrueType program.
  static QByteArray Identity(const QByteArray& program);

  // Adds a subset. False, and nothing added, when it is not a TrueType
  // program with glyph outlines, or when a glyph it holds differs (in outline
  // or advance) from one already gathered under the same number.
  bool Add(const QByteArray& program);
  bool Empty() const { return glyphs_.empty(); }
  // The program holding every glyph gathered.
  QByteArray Program() const;

 private:
  // The first subset's tables, in order, less those made anew.
  std::vector<std::pair<QByteArray, QByteArray>> tables_;
  QByteArray head_;
  QByteArray hhea_;
  QByteArray maxp_;
  QByteArray post_;
  // Each glyph by number (its outline, empty for a blank or none), its
  // advance and left side, and whether a subset held it.
  std::vector<QByteArray> glyphs_;
  std::vector<std::pair<quint16, qint16>> metrics_;
  std::vector<bool> held_;
};

}  // namespace qw
