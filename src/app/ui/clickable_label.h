#pragma once
// A label that reports a click, for the picture and text controls that act
// when clicked (skip intro, the start choice's pictures and captions).
#include <QLabel>
#include <QMouseEvent>

#include "platform/program.h"

namespace qw {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
  }
};

// A rectangle given in twips, as a widget geometry in pixels.
inline QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace qw
