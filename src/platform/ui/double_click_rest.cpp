#include "platform/ui/double_click_rest.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace qw {

class HoldRestOfDoubleClick::Filter : public QObject {
 public:
  explicit Filter(quint64 firstPress)
      : QObject(qApp), until_(firstPress + quint64(QApplication::doubleClickInterval())) {
    qApp->installEventFilter(this);
  }
  // The holder is gone: presses still queued are held for the double-click
  // time, then the filter goes.
  void Release() {
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this] { deleteLater(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // What the user does, not what the program sends.
    if (!event->spontaneous()) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        const quint64 at = static_cast<QMouseEvent*>(event)->timestamp();
        if (at > until_) return false;
        holding_ = true;
        return true;
      }
      case QEvent::MouseButtonRelease:
        if (!holding_) return false;
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) holding_ = false;
        return true;
      default:
        return false;
    }
  }

 private:
  quint64 until_;
  bool holding_ = false;  // a press was held: its release goes with it
};

HoldRestOfDoubleClick::HoldRestOfDoubleClick(quint64 firstPressTimestamp) : filter_(new Filter(firstPressTimestamp)) {}

HoldRestOfDoubleClick::~HoldRestOfDoubleClick() { filter_->Release(); }

}  // namespace qw
