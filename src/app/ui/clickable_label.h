#pragma once
// A label that reports a click, for the picture and text controls that act
// when clicked (skip intro, the start choice's pictures and captions).
#include <QLabel>
#include <QMouseEvent>

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

}  // namespace qw
