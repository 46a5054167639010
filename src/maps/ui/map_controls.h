#pragma once
// The controls every map window is made of: the picture box holding the map
// (Picture1), and the invisible areas laid over it that catch the mouse (the
// overview's sub-region labels and the maps' marina marks).
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "maps/map_table.h"

namespace qw {

// The map picture for a screen of the given pixel ratio: above 1, the picture
// drawn at twice the size beside it (name@2x.jpg) where there is one, marked
// so that it takes the same room on the screen and stays sharp; otherwise the
// picture itself (a null pixmap when it is missing).
QPixmap LoadMapPicture(const QString& path, qreal pixelRatio);

// A picture box on the maps' navy background, the picture at its top-left
// corner, drawn for the pixel ratio of the screen it is shown on; a picture
// that is missing or cannot be read is named instead. A mouse button let go
// over it raises MouseUp with that button.
class MapPictureBox : public QLabel {
  Q_OBJECT
 public:
  MapPictureBox(const QString& picturePath, const maps::TwipsRect& design, QWidget* parent);

 signals:
  void MouseUp(Qt::MouseButton button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadPicture();
  QString path_;
  qreal loadedRatio_ = 0;
};

// A transparent area that takes every mouse event over it, so that nothing
// reaches the picture below; shows the pointing hand and a tooltip. A left
// click (pressed and let go over it) raises Click, a double-click DblClick.
class MapHotSpot : public QWidget {
  Q_OBJECT
 public:
  MapHotSpot(const QString& name, const maps::TwipsRect& rect, QWidget* parent);
  // The time of the press of the last click (the event's timestamp).
  quint64 PressTimestamp() const { return pressTimestamp_; }

 signals:
  void Click();
  void DblClick();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
  quint64 pressTimestamp_ = 0;
};

// The title label laid on a map picture (Label1): bold, transparent, at its
// rectangle. Like any label it takes the mouse over it, so a click on the
// title does nothing.
class MapTitle : public QLabel {
  Q_OBJECT
 public:
  MapTitle(const QString& caption, double pointSize, const maps::TwipsRect& rect, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Re-centres a window's picture box on the window's outer size (its frame in
// the main window); a window smaller than the picture shows its middle.
void CentrePictureBox(QWidget* window, QWidget* pictureBox);

// Sets a map window's look: navy background, empty caption.
void SetMapWindowLook(QWidget* window, const QString& name);

// The key list and the keys grid, windows of their own beside the maps, can
// be left on any desktop: the close keys close them and hand the keyboard
// back to the main window, and without a window manager they show their
// caption and a close button, and a click on the main window covers them.
void KeepLeavable(QWidget* keyWindow);

// A map window's designed client size in pixels: the size it takes in the
// main window when it is restored from maximised.
QSize MapWindowDesignSize();

}  // namespace qw
