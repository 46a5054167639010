#pragma once
// How the program turns stored values into text and decides whether typed
// text is a number: the rules the stored data and the criteria files were
// written with.
#include <QString>
#include <QVariant>

namespace qw {

// The program's trim: removes the blanks (space characters only; tabs and
// line breaks stay) at both ends of text.
QString TrimBlanks(const QString& text);

// A field value as text: numbers in their general form (150, 45.5, 1E+16),
// whole numbers whole, booleans "True"/"False", Null and Empty as "", text
// as it is (its own blanks kept).
QString VbText(const QVariant& value);

// A double in its general form: 15 significant digits, no trailing zeros,
// an exponent only from 1E+15 up and below 0.0001 ("1E-05").
QString VbNumberText(double value);

// A number in the money format "#0.00": at least one digit before the point,
// exactly two after it, no digit grouping. The cents are rounded half away
// from zero on the value as written (2.675 gives "2.68"), not on its nearest
// binary double (which would give "2.67").
QString VbFormatCents(double value);

// Whether text reads as one number: blanks around it allowed, an optional
// sign, digits (thousands separators allowed before the decimal point), at
// most one decimal point, an optional exponent (E or D, sign, digits).
bool VbIsNumeric(const QString& text);

}  // namespace qw
