#pragma once
// Placing controls at rectangles given in twips (15 twips a pixel).
#include <QRect>

class QWidget;

namespace qw {

// A rectangle in twips as pixels.
QRect TwipsRect(double left, double top, double width, double height);

// Moves and sizes a control to a rectangle in twips, relative to its parent.
void PlaceTwips(QWidget* widget, double left, double top, double width, double height);

}  // namespace qw
