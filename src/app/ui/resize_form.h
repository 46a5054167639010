#pragma once
// ResizeForm over real windows: every control whose left is greater than 0
// is moved and sized by the factors (combo boxes keep their height) and its
// font scaled by their mean; the window itself too while RePosForm() is set.
#include "app/form_scaling.h"

class QWidget;

namespace qw {

void ResizeForm(float xScale, float yScale, QWidget* frm);

// The resize handling of a window that rescales itself: the handshake of
// ResizeEventFactors, then ResizeForm and the new size recorded.
void ResizeFormOnResize(QWidget* frm, FormSizeMemory& memory);

}  // namespace qw
