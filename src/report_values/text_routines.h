#pragma once
// Text routines of the marina report: separator-ended lists, telephone
// numbers and coordinates. Plain text in, text out; they keep no state.
#include <QString>

#include "platform/vb_text.h"  // TrimBlanks

namespace qw {

// Trims blanks, removes one trailing separator character when the text ends
// with it, and trims blanks again. Only one character is ever removed.
void TrimTrailingSeparator(QString& text, const QString& separator);

// Every occurrence of ch (without regard to letter case) removed from text.
QString RemoveAllChars(QString text, const QString& ch);

// "(617) 555-1234" (dashStyle off) or "617-555-1234" (dashStyle on) for a
// number with an area code; "555-1234" for seven characters; a shorter
// number comes back as given, without the blanks at its ends; "" gives "-".
QString FormatPhoneNumber(const QString& phone, bool dashStyle);

// "4221.345" -> "42&deg;21.345'"; "-07012.345" -> "070&deg;12.345'";
// "" or blanks -> "None". Blanks anywhere in the coordinate are ignored.
QString FormatLatLong(const QString& coordinate);

}  // namespace qw
