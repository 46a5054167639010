#include "platform/ui/twips.h"

#include <QWidget>

#include "platform/program.h"

namespace qw {

QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

void PlaceTwips(QWidget* widget, double left, double top, double width, double height) {
  if (widget) widget->setGeometry(TwipsRect(left, top, width, height));
}

}  // namespace qw
