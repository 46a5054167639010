#include "platform/html_text.h"

#include <QTextDocument>
#include <QUrl>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace qw {
namespace {

enum EscapeFlag { kQuote = 1, kApostrophe = 2, kAscii = 4 };

// The length of the character reference at `at` ("&amp;", "&#39;", "&#x27;"),
// 0 when the "&" there starts none.
qsizetype ReferenceLength(const QString& s, qsizetype at) {
  qsizetype i = at + 1;
  const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  const auto isHex = [&](QChar c) { return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); };
  const auto isLetter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
  const auto run = [&](auto&& test, qsizetype most) {
    const qsizetype from = i;
    while (i < s.size() && i - from < most && test(s.at(i))) ++i;
    return i - from;
  };
  if (i < s.size() && s.at(i) == u'#') {
    ++i;
    const bool hex = i < s.size() && (s.at(i) == u'x' || s.at(i) == u'X');
    if (hex) ++i;
    if (hex ? run(isHex, 6) == 0 : run(isDigit, 7) == 0) return 0;
  } else {
    if (i >= s.size() || !isLetter(s.at(i))) return 0;
    run([&](QChar c) { return isLetter(c) || isDigit(c); }, 32);
  }
  return i < s.size() && s.at(i) == u';' ? i + 1 - at : 0;
}

QString Escape(const QString& text, int flags) {
  QString out;
  out.reserve(text.size() + 8);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    switch (c.unicode()) {
      case u'&': out += QLatin1String("&amp;"); continue;
      case u'<': out += QLatin1String("&lt;"); continue;
      case u'>': out += QLatin1String("&gt;"); continue;
      case u'"':
        if (flags & kQuote) {
          out += QLatin1String("&quot;");
          continue;
        }
        break;
      case u'\'':
        if (flags & kApostrophe) {
          out += QLatin1String("&#39;");
          continue;
        }
        break;
      default: break;
    }
    if ((flags & kAscii) && c.unicode() >= 128) {
      char32_t code = c.unicode();
      if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        code = QChar::surrogateToUcs4(c, text.at(++i));
      out += QLatin1String("&#") + QString::number(static_cast<quint32>(code)) + QLatin1Char(';');
      continue;
    }
    out += c;
  }
  return out;
}

// Text of markup: references kept, everything else that HTML reads as markup
// escaped (in attributes both quotes as well).
QString MarkupText(const QString& text, bool inAttribute) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'&') {
      const qsizetype n = ReferenceLength(text, i);
      if (n > 0) {
        out += QStringView(text).mid(i, n);
        i += n - 1;
        continue;
      }
    }
    if (c == u'&' || c == u'<' || c == u'>' || (inAttribute && (c == u'"' || c == u'\''))) {
      out += Escape(QString(c), kQuote | kApostrophe);
    } else {
      out += c;
    }
  }
  return out;
}

struct AllowedTag {
  const char* name;
  bool isVoid;
  std::span<const char* const> attributes;
};

constexpr const char* kLinkAttributes[] = {"href", "title"};
constexpr const char* kFontAttributes[] = {"color", "face", "size"};
constexpr const char* kParagraphAttributes[] = {"align"};
constexpr const char* kSpanAttributes[] = {"class"};

constexpr AllowedTag kAllowedTags[] = {
    {"a", false, kLinkAttributes}, {"b", false, {}},      {"big", false, {}},   {"br", true, {}},
    {"em", false, {}},             {"font", false, kFontAttributes},            {"i", false, {}},
    {"p", false, kParagraphAttributes},                   {"small", false, {}}, {"span", false, kSpanAttributes},
    {"strong", false, {}},         {"sub", false, {}},    {"sup", false, {}},   {"u", false, {}},
};

// Elements dropped with everything up to their closing tag: their content is
// script, style or text that is not meant to be shown.
constexpr const char* kDroppedWithContent[] = {"script", "style",    "textarea", "title",     "xmp",
                                               "iframe", "noembed",  "noframes", "noscript",  "plaintext",
                                               "template", "svg",    "math",     "object",    "select"};

const AllowedTag* Allowed(const QString& lowerName) {
  for (const AllowedTag& tag : kAllowedTags)
    if (lowerName == QLatin1String(tag.name)) return &tag;
  return nullptr;
}

bool DroppedWithContent(const QString& lowerName) {
  for (const char* name : kDroppedWithContent)
    if (lowerName == QLatin1String(name)) return true;
  return false;
}

bool IsSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }
bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

struct Tag {
  QString name;  // as written
  bool closing = false;
  std::vector<std::pair<QString, QString>> attributes;  // lower-case name, value as written
  qsizetype end = 0;                                    // just after the ">"
  bool bare = false;                                    // "<name>", "</name>", "<name/>", "<name />"
};

// The tag that starts at the "<" at `at`; none when the text there is no
// whole tag (no letter after "<", an attribute's quote left open, no ">").
std::optional<Tag> ReadTag(const QString& s, qsizetype at) {
  Tag tag;
  qsizetype i = at + 1;
  if (i < s.size() && s.at(i) == u'/') {
    tag.closing = true;
    ++i;
  }
  if (i >= s.size() || !IsAsciiLetter(s.at(i))) return std::nullopt;
  const qsizetype nameStart = i;
  while (i < s.size() && (IsAsciiLetter(s.at(i)) || s.at(i).isDigit())) ++i;
  tag.name = s.mid(nameStart, i - nameStart);
  for (;;) {
    while (i < s.size() && (IsSpace(s.at(i)) || s.at(i) == u'/')) ++i;
    if (i >= s.size()) return std::nullopt;
    if (s.at(i) == u'>') break;
    const qsizetype attributeStart = i++;
    while (i < s.size() && !IsSpace(s.at(i)) && s.at(i) != u'/' && s.at(i) != u'>' && s.at(i) != u'=') ++i;
    const QString attribute = s.mid(attributeStart, i - attributeStart).toLower();
    while (i < s.size() && IsSpace(s.at(i))) ++i;
    QString value;
    if (i < s.size() && s.at(i) == u'=') {
      ++i;
      while (i < s.size() && IsSpace(s.at(i))) ++i;
      if (i < s.size() && (s.at(i) == u'"' || s.at(i) == u'\'')) {
        const qsizetype close = s.indexOf(s.at(i), i + 1);
        if (close < 0) return std::nullopt;
        value = s.mid(i + 1, close - i - 1);
        i = close + 1;
      } else {
        const qsizetype valueStart = i;
        while (i < s.size() && !IsSpace(s.at(i)) && s.at(i) != u'>') ++i;
        value = s.mid(valueStart, i - valueStart);
      }
    }
    tag.attributes.emplace_back(attribute, value);
  }
  tag.end = i + 1;
  const QString written = s.mid(at, tag.end - at);
  const QString opening = (tag.closing ? QStringLiteral("</") : QStringLiteral("<")) + tag.name;
  tag.bare = tag.attributes.empty() && (written == opening + u'>' || written == opening + QStringLiteral("/>") ||
                                        written == opening + QStringLiteral(" />"));
  return tag;
}

// The tag as the cleaned text writes it: as written when it has no
// attributes, otherwise rebuilt with the allowed ones only.
QString AllowedTagText(const QString& s, qsizetype at, const Tag& tag, const AllowedTag& allowed) {
  if (tag.bare) return s.mid(at, tag.end - at);
  if (tag.closing) return QStringLiteral("</") + tag.name + u'>';
  QString out = u'<' + tag.name;
  for (const auto& [attribute, value] : tag.attributes) {
    bool kept = false;
    for (const char* name : allowed.attributes) kept = kept || attribute == QLatin1String(name);
    if (!kept) continue;
    QString text = value;
    if (attribute == QLatin1String("href")) {
      text = LinkAddress(value);
      if (!IsWebOrMailAddress(text)) continue;
    }
    out += u' ' + attribute + QStringLiteral("=\"") + MarkupText(text, true) + u'"';
  }
  return out + u'>';
}

}  // namespace

QString HtmlText(const QString& text) { return Escape(text, 0); }

QString PlainToolTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style='white-space:pre'>") + HtmlText(text) + QStringLiteral("</p>");
}

QString HtmlAttribute(const QString& text) { return Escape(text, kQuote | kApostrophe); }

QString QuotedAttribute(const QString& htmlText) {
  QString out = htmlText;
  out.replace(u'"', QLatin1String("&quot;"));
  out.replace(u'\'', QLatin1String("&#39;"));
  return out;
}

QString HtmlAsciiText(const QString& text) { return Escape(text, kQuote | kAscii); }

QString CleanHtml(const QString& html) {
  QString out;
  out.reserve(html.size());
  // The elements open in the text: lower-case name, name as written.
  std::vector<std::pair<QString, QString>> open;
  qsizetype i = 0;
  while (i < html.size()) {
    const QChar c = html.at(i);
    if (c != u'<') {
      const qsizetype next = html.indexOf(u'<', i);
      const qsizetype end = next < 0 ? html.size() : next;
      out += MarkupText(html.mid(i, end - i), false);
      i = end;
      continue;
    }
    // Comments, declarations and processing instructions are left out.
    if (html.mid(i, 4) == QLatin1String("<!--")) {
      const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
      i = close < 0 ? html.size() : close + 3;
      continue;
    }
    if (i + 1 < html.size() && (html.at(i + 1) == u'!' || html.at(i + 1) == u'?')) {
      const qsizetype close = html.indexOf(u'>', i + 2);
      if (close >= 0) {
        i = close + 1;
        continue;
      }
    }
    const std::optional<Tag> tag = ReadTag(html, i);
    if (!tag) {  // no tag: a "<" of the text ("<5 ft")
      out += QLatin1String("&lt;");
      ++i;
      continue;
    }
    const QString name = tag->name.toLower();
    const AllowedTag* allowed = Allowed(name);
    if (!tag->closing && DroppedWithContent(name)) {
      const qsizetype close = html.indexOf(QStringLiteral("</") + name, tag->end, Qt::CaseInsensitive);
      const qsizetype after = close < 0 ? -1 : html.indexOf(u'>', close);
      i = after < 0 ? html.size() : after + 1;
      continue;
    }
    if (allowed && !tag->closing) {
      out += AllowedTagText(html, i, *tag, *allowed);
      if (!allowed->isVoid) open.emplace_back(name, tag->name);
    } else if (allowed && !allowed->isVoid) {
      // Only an element the text opened may be closed by it.
      for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if (it->first != name) continue;
        out += AllowedTagText(html, i, *tag, *allowed);
        open.erase(std::next(it).base());
        break;
      }
    }
    i = tag->end;
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) out += QStringLiteral("</") + it->second + u'>';
  return out;
}

QString LinkAddress(const QString& href) {
  QString address;
  for (const QChar c : href) {
    if (c == u'\t' || c == u'\n' || c == u'\r') continue;
    if (address.isEmpty() && c.unicode() <= 0x20) continue;
    address += c;
  }
  return address;
}

bool IsWebOrMailAddress(const QString& address) {
  for (const char* scheme : {"http:", "https:", "mailto:"})
    if (address.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) return true;
  return false;
}

bool HoldsMarkup(const QString& column) {
  static const char* const kMarkupColumns[] = {"Environs", "Marina Notes", "Notable", "Navigational Directions from ICW",
                                               "Other Amenities", "Comments"};
  for (const char* c : kMarkupColumns)
    if (column.compare(QLatin1String(c), Qt::CaseInsensitive) == 0) return true;
  return false;
}

QString ColumnHtml(const QString& column, const QString& value) {
  return HoldsMarkup(column) ? CleanHtml(value) : HtmlText(value);
}

QString FileUrl(const QString& path) {
  return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()).replace(u'\'', QLatin1String("%27"));
}

}  // namespace qw
