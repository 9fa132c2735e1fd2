// The image record and the library calls whose results the picture routines
// read directly: colour counts, row layout, colour tables and pixel values.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "imaging/PixelPool.h"
#include "support/TestImages.h"

using namespace testimages;

TEST(PowerOfTwo, DoublesIn32Bits) {
  EXPECT_EQ(imaging::PowerOfTwo(-3), 1u);
  EXPECT_EQ(imaging::PowerOfTwo(0), 1u);
  EXPECT_EQ(imaging::PowerOfTwo(1), 2u);
  EXPECT_EQ(imaging::PowerOfTwo(8), 256u);
  EXPECT_EQ(imaging::PowerOfTwo(31), 0x80000000u);
  EXPECT_EQ(imaging::PowerOfTwo(32), 0u);
}

TEST(DibColourCount, FollowsTheBitDepth) {
  const std::pair<int32_t, uint32_t> cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 65536}, {24, 16777216}, {32, 0}};
  for (const auto& [bits, colours] : cases) {
    imaging::Image image = Make(3, 2, bits);
    ASSERT_NE(image->Pixels, nullptr) << bits;
    EXPECT_EQ(imaging::DibColourCount(*image), colours) << bits;
  }
}

TEST(Newdib, RowsArePaddedTo32BitsAndStartZeroed) {
  struct Case {
    int32_t width, bits, stride;
  };
  for (const Case& c : {Case{5, 24, 16}, Case{4, 24, 12}, Case{9, 4, 8}, Case{33, 1, 8}, Case{3, 8, 4}}) {
    imaging::Image image = Make(c.width, 3, c.bits);
    const imaging::RasterImage& record = *image;
    ASSERT_NE(record.Pixels, nullptr);
    EXPECT_NE(record.Allocation, 0u);
    EXPECT_EQ(record.Stride, c.stride) << c.width << " x " << c.bits;
    EXPECT_EQ(imaging::DibWidth(record), c.width);
    EXPECT_EQ(imaging::DibHeight(record), 3);  // positive: bottom-up rows
    EXPECT_EQ(imaging::DibBitCount(record), static_cast<uint32_t>(c.bits));
    EXPECT_EQ(record.Info->bmiHeader.biSizeImage, static_cast<uint32_t>(3 * c.stride));
    const std::vector<uint8_t> bytes = PixelBytes(record);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  }
}

TEST(Newdib, CopiesTheFirstColoursIntoTheRecordTable) {
  BITMAPINFO source{};
  for (int i = 0; i < 256; ++i) source.bmiColors[i] = RGBQUAD{static_cast<uint8_t>(i), 7, 200, 0};
  imaging::Image image;
  imaging::newdib(&image, 2, 2, 8, &source, 16);
  ASSERT_NE(image->Pixels, nullptr);
  // The record's table is red, green, blue; the header's blue, green, red.
  EXPECT_EQ(image->Colours[15].peRed, 200);
  EXPECT_EQ(image->Colours[15].peGreen, 7);
  EXPECT_EQ(image->Colours[15].peBlue, 15);
  EXPECT_EQ(image->Info->bmiColors[15].rgbBlue, 15);
  EXPECT_EQ(image->Colours[16].peRed, 0);
  EXPECT_EQ(image->Info->bmiColors[16].rgbRed, 0);
  EXPECT_EQ(image->HasPalette, 1);
  ASSERT_NE(image->PaletteHandle, nullptr);
  EXPECT_EQ(image->PaletteHandle->count, 16);
}

TEST(Newdib, WithoutColourSourceThereIsNoTableAndNoPalette) {
  imaging::Image image;
  imaging::newdib(&image, 2, 2, 24, nullptr, 0);
  ASSERT_NE(image->Pixels, nullptr);
  EXPECT_EQ(image->Info->bmiHeader.biClrUsed, 0u);
  EXPECT_NE(image->HasPalette, 1);
}

TEST(Newdib, FailureLeavesNoAllocationAndNoPixels) {
  BITMAPINFO source{};
  struct Case {
    int32_t width, height, bits, colours;
    const BITMAPINFO* table;
  };
  for (const Case& c :
       {Case{0, 4, 24, 0, nullptr}, Case{4, -1, 24, 0, nullptr}, Case{4, 4, 7, 0, nullptr}, Case{4, 4, 8, 257, &source},
        Case{4, 4, 8, 16, nullptr}, Case{1 << 20, 1 << 20, 24, 0, nullptr}}) {
    imaging::Image image;
    imaging::newdib(&image, c.width, c.height, c.bits, c.table, c.colours);
    EXPECT_EQ(image->Allocation, 0u) << c.width << " x " << c.height << " x " << c.bits;
    EXPECT_EQ(image->Pixels, nullptr);
    EXPECT_EQ(image->Info, nullptr);
  }
}

TEST(PixelAccess, TwentyFourBitValuesHaveRedInTheLowestByte) {
  imaging::Image image = Make(2, 2, 24);
  imaging::setpixel(*image, 1, 1, 0x0000FF);  // pure red
  setpixel(*image, 0, 0, 0xFFFFFF);
  EXPECT_EQ(PixelAt(*image, 1, 1), (Bgr{0, 0, 255}));
  EXPECT_EQ(PixelAt(*image, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(*image, 0, 1), (Bgr{0, 0, 0}));
  EXPECT_EQ(imaging::getpixel(*image, 1, 1), 0x0000FFu);
}

TEST(PixelAccess, FourBitEvenColumnIsTheHighNibble) {
  imaging::Image image = Make(3, 1, 4);
  imaging::setpixel(*image, 0, 0, 0xA);
  setpixel(*image, 1, 0, 0x5);
  setpixel(*image, 2, 0, 0xF);
  EXPECT_EQ(Row(*image, 0)[0], 0xA5);
  EXPECT_EQ(Row(*image, 0)[1], 0xF0);
  EXPECT_EQ(imaging::getpixel(*image, 1, 0), 0x5u);
}

TEST(PixelAccess, OneBitUsesMemoryRowsAndTheHighBitFirst) {
  imaging::Image image = Make(10, 2, 1);
  imaging::setpixel(*image, 0, 1, 1);
  setpixel(*image, 9, 0, 1);
  EXPECT_EQ(Row(*image, 1)[0], 0x80);
  EXPECT_EQ(Row(*image, 0)[1], 0x40);
  EXPECT_EQ(imaging::getpixel(*image, 0, 0), 0u);
  EXPECT_NE(imaging::getpixel(*image, 9, 0), 0u);
}

TEST(PixelAccess, OutsideThePictureNothingIsReadOrWritten) {
  imaging::Image image = Make(2, 2, 8);
  imaging::setpixel(*image, 2, 0, 9);
  setpixel(*image, 0, -1, 9);
  const std::vector<uint8_t> bytes = PixelBytes(*image);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(imaging::getpixel(*image, -1, 0), 0u);
}

// Blocks of a 1024-row picture are kept by the pixel pool when freed, so the
// pool's count shows every free: none missing, none twice.
TEST(Image, MovesHandOverThePixelsAndEachPictureIsFreedOnce) {
  imaging::DrainPixelPool();
  imaging::Image first;
  imaging::newdib(&first, 1024, 1024, 24, nullptr, 0);
  ASSERT_TRUE(first);
  uint8_t* const pixels = first->Pixels;

  imaging::Image second = std::move(first);
  EXPECT_FALSE(first);
  EXPECT_EQ(first->Info, nullptr);
  EXPECT_EQ(second->Pixels, pixels);
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 0u);

  imaging::Image third;
  imaging::newdib(&third, 1024, 1000, 24, nullptr, 0);
  third = std::move(second);  // frees what third held
  EXPECT_EQ(third->Pixels, pixels);
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 1u);

  // Replaces, and frees, the moved picture; the smaller block taken may be either.
  imaging::newdib(&third, 1024, 1000, 24, nullptr, 0);
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 1u) << "one block freed, one taken again";
  third.reset();
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 2u);
  imaging::DrainPixelPool();
}

TEST(Image, AFailedOpenFreesThePictureHeldAndKeepsOnlyTheMessage) {
  imaging::DrainPixelPool();
  imaging::Image image;
  imaging::newdib(&image, 1024, 1024, 24, nullptr, 0);
  imaging::OpenDib(&image, "/nonexistent/picture.jpg", 0, nullptr);
  EXPECT_FALSE(image);
  EXPECT_EQ(image->Info, nullptr);
  EXPECT_STREQ(image->ErrorText,
               "Die Datei kann nicht ge\xF6"
               "ffnet werden");
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 1u);
  imaging::DrainPixelPool();
}
