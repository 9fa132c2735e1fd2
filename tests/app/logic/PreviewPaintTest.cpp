#include <gtest/gtest.h>

#include "app/logic/PreviewPaint.h"
#include "support/MemoryDeviceContext.h"
#include "support/TestImages.h"

using namespace testimages;
using app::DibPrevPaintPaint;
using app::DrawSize;
using app::PreviewDrawSize;
using drawing::MemoryDeviceContext;

TEST(PreviewDrawSize, FitsKeepingProportions) {
  EXPECT_EQ(PreviewDrawSize(181, 75, 320, 200), (DrawSize{120, 75}));
  EXPECT_EQ(PreviewDrawSize(400, 400, 320, 200), (DrawSize{400, 250}));
  EXPECT_EQ(PreviewDrawSize(320, 200, 320, 200), (DrawSize{320, 200}));
  // Truncating divisions: 100 * 3 div 7 = 42.
  EXPECT_EQ(PreviewDrawSize(100, 100, 7, 3), (DrawSize{100, 42}));
}

TEST(DibPrevPaintPaint, DrawsAtTheTopLeftAndLeavesTheRestOfThePane) {
  imaging::Image image = Numbered24(320, 200);
  MemoryDeviceContext pane(181, 75, kUntouched);
  DibPrevPaintPaint(pane, 181, 75, *image);
  const auto rows = pane.CallsNamed("SetDIBitsToDevice");
  ASSERT_EQ(rows.size(), 75u);
  EXPECT_EQ(rows[0].args[2], 120);
  EXPECT_EQ(pane.Pixel(0, 0), NumberedColour(0, 199));
  EXPECT_NE(pane.Pixel(119, 74), kUntouched);
  EXPECT_EQ(pane.Pixel(120, 0), kUntouched);
}
