// 1-bit pictures whose file lists the light colour first must still come out
// the right way round when album export promotes them to 24 bits.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/DepthPromotion.h"
#include "support/ImagingFixtures.h"
#include "support/TempFolder.h"

namespace {

// An 8 x 2 pixel 1-bit BMP: palette white, black; top row alternating, bottom row all index 0.
std::vector<char> WhiteFirstBmp() {
  std::vector<char> file(62 + 8, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
  file[0] = 'B', file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 62);
  put32(14, 40);
  put32(18, 8);
  put32(22, 2);
  file[26] = 1, file[28] = 1;
  put32(54, 0x00FFFFFF);               // index 0 white
  put32(58, 0x00000000);               // index 1 black
  file[62] = 0x00;                     // bottom row: all white
  file[66] = static_cast<char>(0xAA);  // top row: black, white, black, ...
  return file;
}

TEST(Monochrome, LightFirstPaletteIsReorderedWithoutChangingColours) {
  TempFolder folder;
  fixtures::WriteBytes(folder.Path("snow.bmp"), WhiteFirstBmp());
  imaging::Image guard;
  imaging::RasterImage& image = fixtures::Open(guard, folder.Path("snow.bmp"));
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  ASSERT_EQ(imaging::DibBitCount(image), 1u);
  for (int x = 0; x < 8; ++x) {
    const fixtures::Rgb top = x % 2 ? fixtures::Rgb{255, 255, 255} : fixtures::Rgb{0, 0, 0};
    EXPECT_EQ(fixtures::PixelAt(image, x, 0), top) << x;
    EXPECT_EQ(fixtures::PixelAt(image, x, 1), (fixtures::Rgb{255, 255, 255})) << x;
  }
  EXPECT_EQ(imaging::getpixel(image, 0, 1), 0u);  // top-left is black, memory row 1

  imaging::DepthUpTo24(guard);
  ASSERT_EQ(imaging::DibBitCount(image), 24u);
  EXPECT_EQ(fixtures::PixelAt(image, 0, 0), (fixtures::Rgb{0, 0, 0}));
  EXPECT_EQ(fixtures::PixelAt(image, 1, 0), (fixtures::Rgb{255, 255, 255}));
  EXPECT_EQ(fixtures::PixelAt(image, 4, 1), (fixtures::Rgb{255, 255, 255}));
}

TEST(Monochrome, DarkFirstPaletteIsKeptAsItIs) {
  imaging::Image guard;
  imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path("bmp-1.bmp"));
  ASSERT_NE(image.Pixels, nullptr);
  EXPECT_EQ(image.Info->bmiColors[0].rgbRed, fixtures::kPalette2[0].r);
  EXPECT_EQ(imaging::getpixel(image, 1, imaging::DibHeight(image) - 1), 1u);  // (1, top) has index 1 in the file
}

}  // namespace
