#include "host/form_scaling.h"

#include <cmath>

namespace qw {

bool& RePosForm() {
  static bool flag = false;
  return flag;
}

bool& DoResize() {
  static bool flag = false;
  return flag;
}

ControlGeometry ScaleControl(const ControlGeometry& c, float xScale, float yScale) {
  if (!(c.left > 0)) return c;
  const float fontScale = (xScale + yScale) / 2.0f;
  ControlGeometry out = c;
  out.left = c.left * xScale;
  out.top = c.top * yScale;
  out.width = c.width * xScale;
  if (!c.isComboBox) out.height = c.height * yScale;
  out.fontSize = c.fontSize * fontScale;
  return out;
}

void FormSizeMemory::Record(double width, double height) {
  previousWidth = static_cast<int>(std::lround(width));
  previousHeight = static_cast<int>(std::lround(height));
}

std::optional<std::pair<float, float>> ResizeEventFactors(const FormSizeMemory& memory, double width,
                                                          double height) {
  if (memory.activated || memory.previousWidth == 0) return std::nullopt;
  if (!DoResize()) {
    DoResize() = true;
    return std::nullopt;
  }
  RePosForm() = false;
  const float x = static_cast<float>(width) / static_cast<float>(memory.previousWidth);
  const float y = memory.previousHeight == 0 ? 1.0f
                                             : static_cast<float>(height) / static_cast<float>(memory.previousHeight);
  return std::make_pair(x, y);
}

}  // namespace qw
