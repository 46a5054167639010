#pragma once
// Text placed into the report's HTML pages: database texts escaped for the
// places they stand in, file paths as URLs.
#include <QString>

namespace qw {

// "&", "<" and ">" as entities, for a text placed between tags.
QString HtmlText(const QString& text);
// HtmlText plus both quote characters, for a text placed in an attribute.
QString HtmlAttribute(const QString& text);
// Every apostrophe as "&acute;" (the mark the side strips print for it).
QString AcuteApostrophes(const QString& text);
// A local file path as a percent-encoded file URL ("file:///a%20b/c.jpg").
QString FileUrl(const QString& path);
// A text for a single-quoted script string: "\" doubled, then "'" as "\'",
// then "/" as "\/".
QString ScriptStringText(const QString& text);

}  // namespace qw
