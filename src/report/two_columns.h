#pragma once
// Dividing a section's HTML into two columns that both still render: the cut
// falls outside tags and entities, at a blank, an "&nbsp;" or a "<", and every
// tag one side loses is carried over to it from the other. Positions are
// 1-based character positions, as the text functions count them; 0 means
// "none".
#include <QString>
#include <cstdint>
#include <optional>

namespace qw {

// A shift bar's range and position: Min 0, Max the length of its section
// text, Value the position (Max/2 divides in the middle, larger values move
// text into the right column).
struct ShiftBar {
  std::int32_t Min = 0;
  std::int32_t Max = 0;
  std::int32_t Value = 0;
};

// The shift of the division point a bar stands for: (Max - Min) / 2 - Value,
// rounded halves to even.
std::int32_t ShiftOf(const ShiftBar& bar);

// The bar of a section of length characters starting from a stored position:
// Value = the position when 10 < position < length - 10, otherwise (no
// position, or one near either end) the middle, length / 2 rounded halves to
// even.
ShiftBar StartingShiftBar(std::int32_t length, std::optional<double> storedPosition);

// Divides sectionHtml near its middle moved by shift: the division lands on a
// blank, "&nbsp;" or "<" at or after the target, or right after the tag the
// target falls in. The left column is the head plus every tag of the tail; the
// right column is every tag of the head except breaks, then the tail without
// the breaks before its first text. When no division point exists (empty
// text, target outside the text, no blank after it) the whole text is left
// and right is empty.
void SplitTwoColumns(const QString& sectionHtml, QString& leftHtml, QString& rightHtml, std::int32_t shift);

// Whether position pos lies inside a tag: the last "<" at or before it comes
// after the last ">" at or before it. False outside the text.
bool IsInsideTag(const QString& text, std::int32_t pos);
// The position just after the first ">" at or after pos; 1 when there is none.
std::int32_t GetNearestOutOfTagPos(const QString& text, std::int32_t pos);
// The first blank, "&nbsp;" (any case) or "<" at or after pos (pos >= 1); 0
// when there is none.
std::int32_t GetNearestSpacePos(const QString& text, std::int32_t pos);
// Every tag of text, "<" to ">", in order; an unclosed tag runs to the end.
QString ExtractTags(const QString& text);
// The first position whose character is neither "<" nor ">" and lies outside
// every tag; 0 when there is none.
std::int32_t FindFirstTextPos(const QString& text);
// Text without the "<BR>" (any case) that stand before its first text.
QString StripLeadingBreaks(const QString& text);
// Text with every occurrence of what (any case) cut out, also the ones that a
// cut brings together.
QString RemoveEverySubstr(const QString& text, const QString& what);

}  // namespace qw
