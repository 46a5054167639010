#include "maps/ui/map_controls.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPixmap>

#include "host/ui/window_host.h"
#include "platform/program.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

const QColor kNavy = QColor::fromRgb(maps::kMapBackgroundRgb);

void SetNavyBackground(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, kNavy);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

}  // namespace

QPixmap LoadMapPicture(const QString& path, qreal pixelRatio) {
  if (pixelRatio > 1.0) {
    const QFileInfo file(path);
    QPixmap sharp(file.path() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral("@2x.") + file.suffix());
    if (!sharp.isNull()) {
      sharp.setDevicePixelRatio(2.0);
      return sharp;
    }
  }
  return QPixmap(path);
}

MapPictureBox::MapPictureBox(const QString& picturePath, const maps::TwipsRect& design, QWidget* parent)
    : QLabel(parent), path_(picturePath) {
  setObjectName(QStringLiteral("Picture1"));
  SetNavyBackground(this);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setGeometry(design.Pixels());
  LoadPicture();
}

// The ratio is looked at again when the box is shown: the window may open on
// another screen than it was made on.
void MapPictureBox::LoadPicture() {
  const qreal ratio = devicePixelRatioF();
  if (ratio == loadedRatio_) return;
  loadedRatio_ = ratio;
  const QPixmap picture = LoadMapPicture(path_, ratio);
  if (!picture.isNull()) {
    setPixmap(picture);
    return;
  }
  // Rather than an empty navy box whose marks no one can see, the box says
  // which picture it lacks.
  setTextFormat(Qt::PlainText);  // the path is the user's folder, shown as it stands
  setText(QStringLiteral("The map picture %1 is missing or cannot be read.").arg(QDir::toNativeSeparators(path_)));
  setWordWrap(true);
  setAlignment(Qt::AlignCenter);
  setMargin(TwipsToPixels(600));
  QPalette p = palette();
  p.setColor(QPalette::WindowText, Qt::white);
  setPalette(p);
}

void MapPictureBox::showEvent(QShowEvent* event) {
  LoadPicture();
  QLabel::showEvent(event);
}

void MapPictureBox::mousePressEvent(QMouseEvent* event) { event->accept(); }

void MapPictureBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  emit MouseUp(event->button());
}

MapHotSpot::MapHotSpot(const QString& name, const maps::TwipsRect& rect, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_NoSystemBackground);
  setCursor(Qt::PointingHandCursor);
  setGeometry(rect.Pixels());
}

void MapHotSpot::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  pressTimestamp_ = event->timestamp();
}

void MapHotSpot::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (rect().contains(event->position().toPoint())) emit Click();
}

void MapHotSpot::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) emit DblClick();
}

MapTitle::MapTitle(const QString& caption, double pointSize, const maps::TwipsRect& rect, QWidget* parent)
    : QLabel(caption, parent) {
  setObjectName(QStringLiteral("Label1"));
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPointSizeF(pointSize);
  f.setBold(true);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
  setWordWrap(rect.height > 300);  // the two-line title of the North Shore
  setGeometry(rect.Pixels());
  // The title keeps to its place on the chart's title panel: where the
  // desktop's font runs wider than the one it was laid out for, it is set a
  // little smaller rather than cut off.
  const auto fits = [this](const QFont& font) {
    const QFontMetrics m(font);
    if (!wordWrap()) return m.horizontalAdvance(text()) <= width() - 2;
    return m.boundingRect(QRect(0, 0, width() - 2, 10000), Qt::TextWordWrap, text()).height() <= height();
  };
  while (!fits(f) && f.pointSizeF() > 6.0) f.setPointSizeF(f.pointSizeF() - 0.25);
  setFont(f);
}

void MapTitle::mousePressEvent(QMouseEvent* event) { event->accept(); }
void MapTitle::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void MapTitle::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CentrePictureBox(QWidget* window, QWidget* pictureBox) {
  const auto* frame = qobject_cast<const QMdiSubWindow*>(window->parentWidget());
  const QSize outer = frame ? frame->size() : window->frameGeometry().size();
  pictureBox->move(static_cast<int>(outer.width() / 2.0 - pictureBox->width() / 2.0),
                   static_cast<int>(outer.height() / 2.0 - pictureBox->height() / 2.0));
}

void SetMapWindowLook(QWidget* window, const QString& name) {
  window->setObjectName(name);
  window->setWindowTitle(QString());
  window->setAttribute(Qt::WA_DeleteOnClose);
  SetNavyBackground(window);
  window->resize(MapWindowDesignSize());
}

void KeepLeavable(QWidget* keyWindow) {
  CloseByKeys(keyWindow);
  ReturnKeyboardOnClose(keyWindow, MainWindowOrNull);
  DrawCaptionWithoutWindowManager(keyWindow);
  LetOwnerCover(keyWindow);
}

QSize MapWindowDesignSize() {
  return maps::TwipsRect{0, 0, maps::kDesignClientSize.width(), maps::kDesignClientSize.height()}.Pixels().size();
}

}  // namespace qw
