#include <gtest/gtest.h>

#include "imaging/AreaScale.h"
#include "imaging/Rastola.h"
#include "support/TestImages.h"

using namespace testimages;

namespace {

imaging::Image Checkerboard(int32_t width, int32_t height) {
  imaging::Image image = Make(width, height, 24);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t v = (x + y) % 2 ? 255 : 0;
      SetPixel(*image, x, y, Bgr{v, v, v});
    }
  return image;
}

}  // namespace

TEST(AreaScale, FineCheckerboardBecomesEvenGrey) {
  imaging::Image source = Checkerboard(300, 200);
  // 300 -> 90 and 200 -> 67: uneven factors, so target pixels cover source
  // pixels partly; the mean of every area is still mid-grey.
  imaging::Image result = imaging::AreaScale(*source, 90, 67);
  ASSERT_NE(result->Pixels, nullptr);
  ASSERT_EQ(imaging::DibWidth(*result), 90);
  ASSERT_EQ(imaging::DibHeight(*result), 67);
  for (int32_t y = 0; y < 67; ++y)
    for (int32_t x = 0; x < 90; ++x) {
      const Bgr p = PixelAt(*result, x, y);
      // A 3.33 x 2.99 area of a checkerboard is within one part in ten of grey.
      ASSERT_NEAR(p.g, 128, 14) << x << "," << y;
      ASSERT_EQ(p.b, p.g);
      ASSERT_EQ(p.r, p.g);
    }
}

TEST(AreaScale, WeighsEachColumnByTheShareItCovers) {
  // Columns 0, 30, 60 (one colour each) into two pixels: the middle column
  // is split evenly between them.
  imaging::Image source = Make(3, 1, 24);
  SetPixel(*source, 0, 0, Bgr{0, 0, 0});
  SetPixel(*source, 1, 0, Bgr{30, 60, 90});
  SetPixel(*source, 2, 0, Bgr{60, 120, 180});
  imaging::Image result = imaging::AreaScale(*source, 2, 1);
  ASSERT_NE(result->Pixels, nullptr);
  // (0 * 1 + 30 * 0.5) / 1.5 = 10 and (30 * 0.5 + 60) / 1.5 = 50 in blue.
  EXPECT_EQ(PixelAt(*result, 0, 0).b, 10);
  EXPECT_EQ(PixelAt(*result, 1, 0).b, 50);
  EXPECT_EQ(PixelAt(*result, 1, 0).r, 150);
}

TEST(AreaScale, HalvingAveragesEachTwoByTwoBlock) {
  // Blue holds 10 * column + memory row; the mean of a block is rounded.
  imaging::Image source = Make(4, 4, 24);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) SetPixel(*source, x, y, Bgr{uint8_t(10 * x + y), 0, uint8_t(x == 3 ? 3 : 0)});
  imaging::Image result = imaging::AreaScale(*source, 2, 2);
  ASSERT_NE(result->Pixels, nullptr);
  EXPECT_EQ(PixelAt(*result, 0, 0).b, 6);   // (0 + 10 + 1 + 11) / 4 = 5.5
  EXPECT_EQ(PixelAt(*result, 1, 0).b, 26);  // (20 + 30 + 21 + 31) / 4 = 25.5
  EXPECT_EQ(PixelAt(*result, 0, 1).b, 8);   // (2 + 12 + 3 + 13) / 4 = 7.5
  EXPECT_EQ(PixelAt(*result, 1, 1).r, 2);   // (0 + 3 + 0 + 3) / 4 = 1.5
}

TEST(AreaScale, NeverEnlargesAndRefusesWhatItCannotScale) {
  imaging::Image source = Numbered24(40, 30);
  imaging::Image same = imaging::AreaScale(*source, 80, 30);
  ASSERT_NE(same->Pixels, nullptr);
  EXPECT_EQ(imaging::DibWidth(*same), 40);
  EXPECT_EQ(PixelBytes(*same), PixelBytes(*source));

  imaging::Image none = imaging::AreaScale(*source, 0, 10);
  EXPECT_EQ(none->Pixels, nullptr);
  imaging::Image palette = Make(8, 8, 8);
  none = imaging::AreaScale(*palette, 4, 4);
  EXPECT_EQ(none->Pixels, nullptr);
}

TEST(AreaScale, FitLongEdgeKeepsProportionsAndNeverEnlarges) {
  EXPECT_EQ(imaging::FitLongEdge(4000, 3000, 2048).Width, 2048);
  EXPECT_EQ(imaging::FitLongEdge(4000, 3000, 2048).Height, 1536);
  EXPECT_EQ(imaging::FitLongEdge(3000, 4000, 2048).Width, 1536);
  EXPECT_EQ(imaging::FitLongEdge(4001, 3001, 2048).Height, 1536);  // 1536.1 rounds down
  EXPECT_EQ(imaging::FitLongEdge(3000, 20, 2048).Height, 14);      // 13.65 rounds up
  EXPECT_EQ(imaging::FitLongEdge(100000, 1, 2048).Height, 1);
  EXPECT_EQ(imaging::FitLongEdge(800, 600, 2048).Width, 800);
  EXPECT_EQ(imaging::FitLongEdge(0, 600, 2048).Width, 0);
}
