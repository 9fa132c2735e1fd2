#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/Resample.h"
#include "support/TestImages.h"

using namespace testimages;

namespace {

// Source column of every target column along memory row 0 of a resized
// numbered picture (the numbered picture stores its column in blue/green).
std::vector<int32_t> SampledColumns(int32_t sourceWidth, int32_t newWidth) {
  imaging::Image source = Numbered24(sourceWidth, 1);
  imaging::Image result = imaging::Resize(*source, newWidth, 1);
  std::vector<int32_t> columns;
  for (int32_t x = 0; x < newWidth; ++x) {
    const Bgr p = PixelAt(*result, x, 0);
    columns.push_back(p.b | (p.g << 8));
  }
  return columns;
}

}  // namespace

TEST(Resize, SameSizeIsAnExactCopy) {
  imaging::Image source = Numbered24(7, 5);
  imaging::Image result = imaging::Resize(*source, 7, 5);
  ASSERT_NE(result->Pixels, nullptr);
  EXPECT_EQ(PixelBytes(*result), PixelBytes(*source));
}

TEST(Resize, ColumnSamplingUsesTruncatedFixedPointSteps) {
  EXPECT_EQ(SampledColumns(4, 2), (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(SampledColumns(1000, 3), (std::vector<int32_t>{0, 333, 666}));
  EXPECT_EQ(SampledColumns(2, 6), (std::vector<int32_t>{0, 0, 0, 0, 1, 1}));
}

TEST(Resize, RowsAreSampledByMemoryRow) {
  imaging::Image source = Numbered24(1, 9);
  imaging::Image result = imaging::Resize(*source, 1, 3);
  EXPECT_EQ(PixelAt(*result, 0, 0).r, 0);
  EXPECT_EQ(PixelAt(*result, 0, 1).r, 3);
  EXPECT_EQ(PixelAt(*result, 0, 2).r, 6);
}

TEST(Resize, EightBitKeepsIndicesAndColourTable) {
  imaging::Image source = Make(4, 1, 8);
  for (int32_t x = 0; x < 4; ++x) Row(*source, 0)[x] = static_cast<uint8_t>(10 + x);
  imaging::Image result = imaging::Resize(*source, 2, 1);
  ASSERT_EQ(imaging::DibBitCount(*result), 8u);
  EXPECT_EQ(Row(*result, 0)[0], 10);
  EXPECT_EQ(Row(*result, 0)[1], 12);
  EXPECT_EQ(result->Info->bmiColors[7].rgbBlue, 21);
  EXPECT_EQ(result->Colours[7].peRed, 7);
}

TEST(Resize, FourBitOddTargetWidthEndsInAHighNibble) {
  imaging::Image source = Make(4, 1, 4);
  Row(*source, 0)[0] = 0x12;
  Row(*source, 0)[1] = 0x34;
  imaging::Image result;
  // 4 -> 3: xStep 1365, columns 0, 1, 2.
  result = imaging::Resize(*source, 3, 1);
  ASSERT_EQ(imaging::DibBitCount(*result), 4u);
  EXPECT_EQ(Row(*result, 0)[0], 0x12);
  EXPECT_EQ(Row(*result, 0)[1], 0x30);
}

TEST(Resize, OneBitGoesThroughThePixelFunctions) {
  imaging::Image source = Make(3, 1, 1);
  imaging::setpixel(*source, 2, 0, 1);
  imaging::Image result = imaging::Resize(*source, 6, 1);
  ASSERT_EQ(imaging::DibBitCount(*result), 1u);
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(imaging::getpixel(*result, x, 0), x >= 4 ? 1u : 0u) << x;
}

TEST(Resize, SixteenAndThirtyTwoBitGiveABlankResultOfTheRequestedSize) {
  for (int32_t bits : {16, 32}) {
    imaging::Image source = Make(4, 4, bits);
    std::fill(source->Pixels, source->Pixels + source->Info->bmiHeader.biSizeImage, 0xFF);
    imaging::Image result = imaging::Resize(*source, 3, 2);
    ASSERT_NE(result->Pixels, nullptr);
    EXPECT_EQ(imaging::DibBitCount(*result), static_cast<uint32_t>(bits));
    EXPECT_EQ(imaging::DibWidth(*result), 3);
    EXPECT_EQ(imaging::DibHeight(*result), 2);
    const std::vector<uint8_t> bytes = PixelBytes(*result);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  }
}

TEST(Resize, ZeroOrNegativeSideGivesNoImage) {
  imaging::Image source = Numbered24(4, 4);
  for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{-1, 4}}) {
    const imaging::Image result = imaging::Resize(*source, w, h);
    EXPECT_EQ(result->Pixels, nullptr);
    EXPECT_EQ(result->Info, nullptr);
    EXPECT_EQ(result->Allocation, 0u);
  }
}

TEST(Resize, ResultThatCannotBeCreatedIsNil) {
  imaging::Image source = Numbered24(4, 4);
  // Beyond what newdib will allocate.
  const imaging::Image result = imaging::Resize(*source, 1 << 20, 1 << 20);
  EXPECT_EQ(result->Pixels, nullptr);
}

TEST(Resize, VeryWidePictureStaysInsideTheSource) {
  // 3 million columns: (W shl 10) no longer fits in 32 bits.
  const int32_t width = 3'000'000;
  imaging::Image source = Make(width, 1, 8);
  Row(*source, 0)[width - 1] = 77;
  imaging::Image result = imaging::Resize(*source, 2, 1);
  ASSERT_NE(result->Pixels, nullptr);
  EXPECT_EQ(Row(*result, 0)[1], 0);
  imaging::Image wide = Resize(*source, width, 1);
  ASSERT_NE(wide->Pixels, nullptr);
  EXPECT_EQ(Row(*wide, 0)[width - 1], 77);
}
