#pragma once
// How texts from the database and the user enter the program's HTML pages.
//
// Data is untrusted. A plain-text column is escaped wherever it stands, as
// text or in an attribute. The few columns in which the publisher writes
// markup of its own (HoldsMarkup) pass through an allow-list cleaner instead,
// which keeps the simple markup that data uses and nothing that could run,
// load or break the page around it.
#include <QString>

namespace qw {

// "&", "<" and ">" as entities: a text placed between tags.
QString HtmlText(const QString& text);
// A tooltip (which the toolkit shows as markup where it looks like markup)
// that shows text as it stands.
QString PlainToolTip(const QString& text);
// HtmlText plus both quote characters: a text placed in a quoted attribute.
QString HtmlAttribute(const QString& text);
// A text that is HTML text already (HtmlText or CleanHtml made it) placed in a
// quoted attribute: only the quote characters are left to escape.
QString QuotedAttribute(const QString& htmlText);
// HtmlText plus '"', with every character beyond ASCII as a numeric reference:
// for pages written without a declared character set.
QString HtmlAsciiText(const QString& text);

// The publisher's markup made safe to place between tags. Kept: the tags I, B,
// U, EM, STRONG, SMALL, BIG, SUB, SUP, BR, P (align), FONT (color, face, size),
// SPAN (class) and A (an http, https or mailto href, a title), as written when
// they carry no attribute; character references. Dropped: every other tag
// (scripts and styles with their content), every other attribute (event
// handlers, styles, other link schemes), comments, and closing tags of
// elements the text did not open (a "</td>" would close the page's own
// table). A "<" that starts no tag, a stray ">" and an "&" that starts no
// reference become text. Elements left open are closed at the end.
QString CleanHtml(const QString& html);

// Whether a column holds the publisher's markup: Environs, Marina Notes and
// Notable of rpm_extras, the navigation directions of rpm_nav_info, the other
// amenities of the heads, and the Comments of the eatery, lodging and amenity
// tables (the facility lines read them too). Every other column is plain text. (rpm_output's Comments, the
// user's personal notes, are the user's plain text: they never pass here.)
bool HoldsMarkup(const QString& column);
// A column's value as it goes into a page: cleaned when the column holds
// markup, escaped otherwise.
QString ColumnHtml(const QString& column, const QString& value);

// An address as a browser reads it from a link: blanks and control characters
// before it skipped, tabs and line breaks anywhere in it dropped.
QString LinkAddress(const QString& href);
// Whether a link address is one a page may carry: a web (http, https) or mail
// address.
bool IsWebOrMailAddress(const QString& address);

// A local file path as a percent-encoded file URL ("file:///a%20b/c.jpg"), its
// apostrophes encoded too, so that it can stand in any quotes.
QString FileUrl(const QString& path);

}  // namespace qw
