#include <gtest/gtest.h>

#include "viewer/layout/ViewerLayout.h"

using namespace viewer;

TEST(ZoomedSize, TruncatesTheZoomedPictureSize) {
  EXPECT_EQ(ZoomedSize(640, 480, 100).Width, 640);
  EXPECT_EQ(ZoomedSize(640, 480, 100).Height, 480);
  EXPECT_EQ(ZoomedSize(101, 101, 50).Width, 50);
  EXPECT_EQ(ZoomedSize(30, 30, 5).Width, 1);
  EXPECT_EQ(ZoomedSize(30, 30, 5).Height, 1);
  EXPECT_EQ(ZoomedSize(10, 10, 5).Width, 0);
  EXPECT_EQ(ZoomedSize(10, 10, 5).Height, 0);
  EXPECT_EQ(ZoomedSize(100, 3, 9000).Width, 9000);
  EXPECT_EQ(ZoomedSize(100, 3, 9000).Height, 270);
}

TEST(ZoomedSize, MultipliesBeforeDividing) {
  // 0.29 is not exact in binary; 100 x 29 / 100 must still give 29.
  for (int32_t zoom = 5; zoom <= 200; ++zoom) EXPECT_EQ(ZoomedSize(100, 100, zoom).Width, zoom) << zoom;
}

TEST(ZoomedSize, TypedZoomOutsideTheRange) {
  EXPECT_EQ(ZoomedSize(100, 100, 0).Width, 0);
  EXPECT_EQ(ZoomedSize(100, 100, -50).Width, 0);
  EXPECT_EQ(ZoomedSize(100, 100, -50).Height, 0);
  EXPECT_EQ(ZoomedSize(100, 100, 20000).Width, 20000);
}

TEST(ZoomedSize, BeyondTheWidgetLimitKeepsProportions) {
  const PaintSize size = ZoomedSize(400000, 200000, 9000);
  EXPECT_EQ(size.Width, kMaxPaintSide);
  EXPECT_EQ(size.Height, kMaxPaintSide / 2);
}

TEST(DragScrollPosition, FollowsThePointer) {
  EXPECT_EQ(DragScrollPosition(100, 50, 40, 1000), 110);  // pointer left: content further right
  EXPECT_EQ(DragScrollPosition(100, 50, 70, 1000), 80);
}

TEST(DragScrollPosition, StopsAtZeroAndAtRangeMinusOne) {
  EXPECT_EQ(DragScrollPosition(10, 0, 500, 1000), 0);
  EXPECT_EQ(DragScrollPosition(900, 500, 0, 1000), 999);
  EXPECT_EQ(DragScrollPosition(0, 0, -5, 0), -1);  // no content: the scroll bar keeps 0 itself
}
