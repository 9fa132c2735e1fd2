#include <gtest/gtest.h>

#include "imaging/DepthPromotion.h"
#include "support/TestImages.h"

using namespace testimages;

TEST(DepthUpTo24, TwentyFourBitPictureIsLeftAlone) {
  imaging::Image guard = Numbered24(5, 3);
  const uint8_t* pixels = guard->Pixels;
  const BITMAPINFO* info = guard->Info;
  const std::vector<uint8_t> bytes = PixelBytes(*guard);
  imaging::DepthUpTo24(guard);
  EXPECT_EQ(guard->Pixels, pixels);
  EXPECT_EQ(guard->Info, info);
  EXPECT_EQ(PixelBytes(*guard), bytes);
}

TEST(DepthUpTo24, EightBitTakesColoursFromTheRecordTable) {
  imaging::Image guard = Make(3, 2, 8);
  imaging::RasterImage& image = *guard;
  image.Colours[5] = PALETTEENTRY{10, 20, 30, 0};
  // The table behind Info says otherwise; the record's table wins.
  image.Info->bmiColors[5] = RGBQUAD{99, 99, 99, 0};
  for (int32_t y = 0; y < 2; ++y) Row(image, y)[0] = Row(image, y)[1] = Row(image, y)[2] = 5;
  Row(image, 1)[2] = 200;
  image.Colours[200] = PALETTEENTRY{1, 2, 3, 0};

  imaging::DepthUpTo24(guard);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  EXPECT_EQ(imaging::DibWidth(image), 3);
  EXPECT_EQ(imaging::DibHeight(image), 2);
  EXPECT_EQ(PixelAt(image, 0, 0), (Bgr{30, 20, 10}));
  EXPECT_EQ(PixelAt(image, 2, 0), (Bgr{30, 20, 10}));
  EXPECT_EQ(PixelAt(image, 1, 1), (Bgr{30, 20, 10}));
  EXPECT_EQ(PixelAt(image, 2, 1), (Bgr{3, 2, 1}));
  EXPECT_EQ(image.HasPalette, 0);
}

TEST(DepthUpTo24, FourBitOddWidthTakesTheLastPixelFromTheHighNibble) {
  imaging::Image guard = Make(3, 2, 4);
  imaging::RasterImage& image = *guard;
  image.Colours[1] = PALETTEENTRY{255, 0, 0, 0};
  image.Colours[2] = PALETTEENTRY{0, 255, 0, 0};
  image.Colours[3] = PALETTEENTRY{0, 0, 255, 0};
  image.Colours[4] = PALETTEENTRY{7, 7, 7, 0};
  for (int32_t y = 0; y < 2; ++y) {
    Row(image, y)[0] = 0x12;
    Row(image, y)[1] = 0x34;  // low nibble is padding beyond the last column
  }
  imaging::DepthUpTo24(guard);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  for (int32_t y = 0; y < 2; ++y) {
    EXPECT_EQ(PixelAt(image, 0, y), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 1, y), (Bgr{0, 255, 0}));
    EXPECT_EQ(PixelAt(image, 2, y), (Bgr{255, 0, 0}));
  }
}

TEST(DepthUpTo24, OneBitGivesPureBlackAndWhiteOnly) {
  imaging::Image guard = Make(9, 2, 1);
  imaging::RasterImage& image = *guard;
  // A colour table that is neither black nor white must not show through.
  image.Colours[0] = PALETTEENTRY{50, 60, 70, 0};
  image.Colours[1] = PALETTEENTRY{80, 90, 100, 0};
  imaging::setpixel(image, 0, 0, 1);
  setpixel(image, 8, 1, 1);
  imaging::DepthUpTo24(guard);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  EXPECT_EQ(PixelAt(image, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Bgr{0, 0, 0}));
  EXPECT_EQ(PixelAt(image, 8, 1), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 8, 0), (Bgr{0, 0, 0}));
}

TEST(DepthUpTo24, SixteenAndThirtyTwoBitPicturesComeBackUnchanged) {
  for (int32_t bits : {16, 32}) {
    imaging::Image guard = Make(4, 4, bits);
    guard->Pixels[0] = 0xAB;
    const uint8_t* pixels = guard->Pixels;
    imaging::DepthUpTo24(guard);
    EXPECT_EQ(imaging::DibBitCount(*guard), static_cast<uint32_t>(bits));
    EXPECT_EQ(guard->Pixels, pixels);
    EXPECT_EQ(guard->Pixels[0], 0xAB);
  }
}

TEST(DepthUpTo24, EmptyRecordIsLeftEmpty) {
  imaging::Image image;
  imaging::DepthUpTo24(image);
  EXPECT_EQ(image->Pixels, nullptr);
  EXPECT_EQ(image->Info, nullptr);
}
