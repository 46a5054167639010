#include "app/ui/resize_form.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QWidget>
#include <cmath>

#include "platform/program.h"

namespace qw {
namespace {
int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

// The parts a compound control builds and places itself (the text field of a
// spin box or combo box, the viewport and scroll bars of a list, the bar of a
// tab control) are not controls of the window: they follow their control.
bool IsPartOfCompound(const QWidget* widget, const QWidget* frm) {
  if (widget->objectName().startsWith(QLatin1String("qt_"))) return true;
  for (const QWidget* up = widget->parentWidget(); up && up != frm; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up) ||
        qobject_cast<const QAbstractScrollArea*>(up))
      return true;
  }
  return false;
}
}  // namespace

void ResizeForm(float xScale, float yScale, QWidget* frm) {
  if (!frm) return;
  // All controls, those inside frames and picture boxes too, each in its
  // container's coordinates.
  // Everything is read before anything changes: a container's new font would
  // otherwise pass on to the controls inside it and scale them twice.
  struct Item {
    QWidget* control;
    ControlGeometry before;
    QFont font;
  };
  QList<Item> items;
  for (QWidget* control : frm->findChildren<QWidget*>()) {
    if (control->isWindow() || IsPartOfCompound(control, frm)) continue;
    ControlGeometry g;
    g.left = PixelsToTwips(control->x());
    g.top = PixelsToTwips(control->y());
    g.width = PixelsToTwips(control->width());
    g.height = PixelsToTwips(control->height());
    g.fontSize = control->font().pointSizeF();
    g.isComboBox = qobject_cast<QComboBox*>(control) != nullptr;
    items.append({control, g, control->font()});
  }
  for (const Item& item : items) {
    const ControlGeometry& g = item.before;
    QWidget* control = item.control;
    if (!(g.left > 0)) {
      control->setFont(item.font);  // keeps its font whatever its container gets
      continue;
    }
    const ControlGeometry s = ScaleControl(g, xScale, yScale);
    if (g.isComboBox) {
      control->move(ToPixels(s.left), ToPixels(s.top));
      control->resize(ToPixels(s.width), control->height());
    } else {
      control->setGeometry(ToPixels(s.left), ToPixels(s.top), ToPixels(s.width), ToPixels(s.height));
    }
    if (g.fontSize > 0) {
      QFont font = item.font;
      font.setPointSizeF(s.fontSize);
      control->setFont(font);
    }
  }
  if (RePosForm()) {
    const QRect outer = frm->frameGeometry();
    const int dw = outer.width() - frm->width();
    const int dh = outer.height() - frm->height();
    const int width = ToPixels(PixelsToTwips(outer.width()) * xScale);
    const int height = ToPixels(PixelsToTwips(outer.height()) * yScale);
    frm->move(ToPixels(PixelsToTwips(outer.x()) * xScale), ToPixels(PixelsToTwips(outer.y()) * yScale));
    frm->resize(width - dw, height - dh);
  }
}

void ResizeFormOnResize(QWidget* frm, FormSizeMemory& memory) {
  const QRect outer = frm->frameGeometry();
  const double width = PixelsToTwips(outer.width());
  const double height = PixelsToTwips(outer.height());
  const auto factors = ResizeEventFactors(memory, width, height);
  if (!factors) return;
  ResizeForm(factors->first, factors->second, frm);
  const QRect after = frm->frameGeometry();
  memory.Record(PixelsToTwips(after.width()), PixelsToTwips(after.height()));
}

}  // namespace qw
