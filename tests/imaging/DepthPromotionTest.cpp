#include <gtest/gtest.h>

#include "imaging/DepthPromotion.h"
#include "support/TestImages.h"

using namespace testimages;

TEST(DepthUpTo24, TwentyFourBitPictureIsLeftAlone) {
  imaging::DibGuard guard(Numbered24(5, 3));
  const imaging::RasterImage before = guard.get();
  const std::vector<uint8_t> bytes = PixelBytes(before);
  imaging::DepthUpTo24(guard.get());
  EXPECT_EQ(guard.get().Pixels, before.Pixels);
  EXPECT_EQ(guard.get().Info, before.Info);
  EXPECT_EQ(PixelBytes(guard.get()), bytes);
}

TEST(DepthUpTo24, EightBitTakesColoursFromTheRecordTable) {
  imaging::DibGuard guard(Make(3, 2, 8));
  imaging::RasterImage& image = guard.get();
  image.Colours[5] = PALETTEENTRY{10, 20, 30, 0};
  // The table behind Info says otherwise; the record's table wins.
  image.Info->bmiColors[5] = RGBQUAD{99, 99, 99, 0};
  for (int32_t y = 0; y < 2; ++y) Row(image, y)[0] = Row(image, y)[1] = Row(image, y)[2] = 5;
  Row(image, 1)[2] = 200;
  image.Colours[200] = PALETTEENTRY{1, 2, 3, 0};

  imaging::DepthUpTo24(image);
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
  imaging::DibGuard guard(Make(3, 2, 4));
  imaging::RasterImage& image = guard.get();
  image.Colours[1] = PALETTEENTRY{255, 0, 0, 0};
  image.Colours[2] = PALETTEENTRY{0, 255, 0, 0};
  image.Colours[3] = PALETTEENTRY{0, 0, 255, 0};
  image.Colours[4] = PALETTEENTRY{7, 7, 7, 0};
  for (int32_t y = 0; y < 2; ++y) {
    Row(image, y)[0] = 0x12;
    Row(image, y)[1] = 0x34;  // low nibble is padding beyond the last column
  }
  imaging::DepthUpTo24(image);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  for (int32_t y = 0; y < 2; ++y) {
    EXPECT_EQ(PixelAt(image, 0, y), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 1, y), (Bgr{0, 255, 0}));
    EXPECT_EQ(PixelAt(image, 2, y), (Bgr{255, 0, 0}));
  }
}

TEST(DepthUpTo24, OneBitGivesPureBlackAndWhiteOnly) {
  imaging::DibGuard guard(Make(9, 2, 1));
  imaging::RasterImage& image = guard.get();
  // A colour table that is neither black nor white must not show through.
  image.Colours[0] = PALETTEENTRY{50, 60, 70, 0};
  image.Colours[1] = PALETTEENTRY{80, 90, 100, 0};
  imaging::setpixel(image, 0, 0, 1);
  setpixel(image, 8, 1, 1);
  imaging::DepthUpTo24(image);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  EXPECT_EQ(PixelAt(image, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 1, 0), (Bgr{0, 0, 0}));
  EXPECT_EQ(PixelAt(image, 8, 1), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(image, 8, 0), (Bgr{0, 0, 0}));
}

TEST(DepthUpTo24, SixteenAndThirtyTwoBitPicturesComeBackUnchanged) {
  for (int32_t bits : {16, 32}) {
    imaging::DibGuard guard(Make(4, 4, bits));
    guard.get().Pixels[0] = 0xAB;
    const imaging::RasterImage before = guard.get();
    imaging::DepthUpTo24(guard.get());
    EXPECT_EQ(imaging::DibBitCount(guard.get()), static_cast<uint32_t>(bits));
    EXPECT_EQ(guard.get().Pixels, before.Pixels);
    EXPECT_EQ(guard.get().Pixels[0], 0xAB);
  }
}

TEST(DepthUpTo24, EmptyRecordIsLeftEmpty) {
  imaging::RasterImage image = imaging::EmptyRasterImage();
  imaging::DepthUpTo24(image);
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(image.Info, nullptr);
}
