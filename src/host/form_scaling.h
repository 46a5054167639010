#pragma once
// Scaling a window's controls to the screen: the arithmetic of ResizeForm and
// the resize handshake of the windows that rescale themselves.
#include <optional>
#include <utility>

namespace qw {

// While set, ResizeForm also moves and sizes the window itself.
bool& RePosForm();
// The handshake: while false, a resize event only sets it; while true, a
// resize event rescales.
bool& DoResize();

// One control's position and size in twips and its font size in points.
struct ControlGeometry {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double fontSize = 0;
  bool isComboBox = false;
};

// The control after scaling: untouched when its left is not greater than 0;
// a combo box keeps its height; the font scales by the mean of the factors.
ControlGeometry ScaleControl(const ControlGeometry& control, float xScale, float yScale);

// What a self-rescaling window remembers between resize events.
struct FormSizeMemory {
  int previousWidth = 0;   // twips, 0 until first recorded
  int previousHeight = 0;
  bool activated = false;  // set by the window's activation: no more rescaling
  void Record(double width, double height);
};

// A resize event of such a window at the given outer size (twips). Returns the
// factors to call ResizeForm with (RePosForm already cleared), after which the
// caller records the new size; nothing when the event must not rescale (it may
// arm DoResize).
std::optional<std::pair<float, float>> ResizeEventFactors(const FormSizeMemory& memory, double width,
                                                          double height);

}  // namespace qw
