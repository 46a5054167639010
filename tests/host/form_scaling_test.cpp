#include <gtest/gtest.h>

#include "host/form_scaling.h"

namespace qw {
namespace {

TEST(FormScaling, ScalesControlsRightOfTheLeftEdge) {
  const ControlGeometry box{120, 240, 1000, 300, 8, false};
  const ControlGeometry s = ScaleControl(box, 1.25f, 1.5f);
  EXPECT_DOUBLE_EQ(s.left, 150);
  EXPECT_DOUBLE_EQ(s.top, 360);
  EXPECT_DOUBLE_EQ(s.width, 1250);
  EXPECT_DOUBLE_EQ(s.height, 450);
  EXPECT_DOUBLE_EQ(s.fontSize, 11);
  // A combo box keeps its height.
  const ControlGeometry combo = ScaleControl({120, 240, 1000, 315, 8, true}, 1.25f, 1.5f);
  EXPECT_DOUBLE_EQ(combo.top, 360);
  EXPECT_DOUBLE_EQ(combo.width, 1250);
  EXPECT_DOUBLE_EQ(combo.height, 315);
  // Left 0 or less: untouched, font included.
  for (double left : {0.0, -75.0}) {
    const ControlGeometry at{left, 240, 1000, 300, 8, false};
    const ControlGeometry same = ScaleControl(at, 1.25f, 1.5f);
    EXPECT_DOUBLE_EQ(same.top, 240);
    EXPECT_DOUBLE_EQ(same.width, 1000);
    EXPECT_DOUBLE_EQ(same.fontSize, 8);
  }
}

TEST(FormScaling, ResizeHandshake) {
  DoResize() = false;
  RePosForm() = true;
  FormSizeMemory memory;
  // No recorded size: never rescales, never arms.
  EXPECT_FALSE(ResizeEventFactors(memory, 9000, 6000));
  EXPECT_FALSE(DoResize());
  memory.Record(9000, 6000);
  // The first event only arms the handshake.
  EXPECT_FALSE(ResizeEventFactors(memory, 18000, 6000));
  EXPECT_TRUE(DoResize());
  // Later events rescale by new / previous size, the window left where the platform put it.
  const auto f = ResizeEventFactors(memory, 18000, 9000);
  ASSERT_TRUE(f);
  EXPECT_FLOAT_EQ(f->first, 2.0f);
  EXPECT_FLOAT_EQ(f->second, 1.5f);
  EXPECT_FALSE(RePosForm());
  // Once activated, no more rescaling.
  memory.activated = true;
  EXPECT_FALSE(ResizeEventFactors(memory, 100, 100));
  DoResize() = false;
}

}  // namespace
}  // namespace qw
