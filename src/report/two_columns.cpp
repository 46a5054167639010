#include "report/two_columns.h"

#include <limits>

#include "report/round_half_even.h"

namespace qw {
namespace {

const QString kBreak = QStringLiteral("<BR>");

}  // namespace

std::int32_t ShiftOf(const ShiftBar& bar) {
  return RoundToInt32((static_cast<double>(bar.Max) - bar.Min) / 2.0 - bar.Value).value_or(0);
}

ShiftBar StartingShiftBar(std::int32_t length, std::optional<double> storedPosition) {
  ShiftBar bar;
  bar.Min = 0;
  bar.Max = length;
  if (storedPosition && *storedPosition > 10 && *storedPosition < static_cast<double>(length) - 10) {
    bar.Value = RoundToInt32(*storedPosition).value_or(0);
  } else {
    bar.Value = RoundToInt32(length / 2.0).value_or(0);
  }
  return bar;
}

bool IsInsideTag(const QString& text, std::int32_t pos) {
  if (pos < 1 || pos > text.size()) return false;
  const qsizetype lt = text.lastIndexOf(QLatin1Char('<'), pos - 1);
  const qsizetype gt = text.lastIndexOf(QLatin1Char('>'), pos - 1);
  return lt >= 0 && lt > gt;
}

std::int32_t GetNearestOutOfTagPos(const QString& text, std::int32_t pos) {
  const qsizetype gt = text.indexOf(QLatin1Char('>'), pos < 1 ? 0 : pos - 1);
  return gt < 0 ? 1 : static_cast<std::int32_t>(gt + 2);
}

std::int32_t GetNearestSpacePos(const QString& text, std::int32_t pos) {
  if (pos < 1 || pos > text.size()) return 0;
  qsizetype best = -1;
  for (const qsizetype found : {text.indexOf(QLatin1String("&nbsp;"), pos - 1, Qt::CaseInsensitive),
                                text.indexOf(QLatin1Char(' '), pos - 1), text.indexOf(QLatin1Char('<'), pos - 1)}) {
    if (found >= 0 && (best < 0 || found < best)) best = found;
  }
  return static_cast<std::int32_t>(best + 1);
}

QString ExtractTags(const QString& text) {
  QString tags;
  bool inTag = false;
  for (QChar c : text) {
    if (c == QLatin1Char('<')) inTag = true;
    if (inTag) tags += c;
    if (c == QLatin1Char('>')) inTag = false;
  }
  return tags;
}

std::int32_t FindFirstTextPos(const QString& text) {
  qsizetype lastLt = -1;
  qsizetype lastGt = -1;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('<')) {
      lastLt = i;
    } else if (c == QLatin1Char('>')) {
      lastGt = i;
    } else if (lastLt < 0 || lastLt < lastGt) {
      return static_cast<std::int32_t>(i + 1);
    }
  }
  return 0;
}

QString StripLeadingBreaks(const QString& text) {
  const std::int32_t p = FindFirstTextPos(text);
  if (p <= 0) return text;
  return RemoveEverySubstr(text.left(p - 1), kBreak) + text.mid(p - 1);
}

QString RemoveEverySubstr(const QString& text, const QString& what) {
  if (what.isEmpty()) return text;
  QString result = text;
  // A cut can only bring a new occurrence together across the cut itself, so
  // the search goes on from just before it instead of from the beginning.
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = result.indexOf(what, from, Qt::CaseInsensitive);
    if (at < 0) return result;
    result.remove(at, what.size());
    from = std::max<qsizetype>(0, at - what.size() + 1);
  }
}

void SplitTwoColumns(const QString& sectionHtml, QString& leftHtml, QString& rightHtml, std::int32_t shift) {
  leftHtml = sectionHtml;
  rightHtml.clear();
  if (sectionHtml.size() > std::numeric_limits<std::int32_t>::max()) return;
  const std::optional<std::int32_t> target = RoundToInt32(sectionHtml.size() / 2.0 + shift);
  if (!target) return;
  std::int32_t pos = *target;
  if (IsInsideTag(sectionHtml, pos)) {
    pos = GetNearestOutOfTagPos(sectionHtml, pos);
  } else {
    pos = GetNearestSpacePos(sectionHtml, pos);
  }
  if (pos < 1) return;
  const QString head = sectionHtml.left(pos - 1);
  const QString tail = sectionHtml.mid(pos - 1);
  leftHtml = head + ExtractTags(tail);
  rightHtml = RemoveEverySubstr(ExtractTags(head), kBreak) + StripLeadingBreaks(tail);
}

}  // namespace qw
