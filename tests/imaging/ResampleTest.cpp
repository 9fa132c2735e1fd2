#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/Resample.h"
#include "support/TestImages.h"

using namespace testimages;

namespace {

// Source column of every target column along memory row 0 of a resized
// numbered picture (the numbered picture stores its column in blue/green).
std::vector<int32_t> SampledColumns(int32_t sourceWidth, int32_t newWidth) {
  imaging::DibGuard source(Numbered24(sourceWidth, 1));
  imaging::DibGuard result;
  imaging::Resize(source.get(), newWidth, 1, *result.out());
  std::vector<int32_t> columns;
  for (int32_t x = 0; x < newWidth; ++x) {
    const Bgr p = PixelAt(result.get(), x, 0);
    columns.push_back(p.b | (p.g << 8));
  }
  return columns;
}

}  // namespace

TEST(Resize, SameSizeIsAnExactCopy) {
  imaging::DibGuard source(Numbered24(7, 5));
  imaging::DibGuard result;
  imaging::Resize(source.get(), 7, 5, *result.out());
  ASSERT_NE(result.get().Pixels, nullptr);
  EXPECT_EQ(PixelBytes(result.get()), PixelBytes(source.get()));
}

TEST(Resize, ColumnSamplingUsesTruncatedFixedPointSteps) {
  EXPECT_EQ(SampledColumns(4, 2), (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(SampledColumns(1000, 3), (std::vector<int32_t>{0, 333, 666}));
  EXPECT_EQ(SampledColumns(2, 6), (std::vector<int32_t>{0, 0, 0, 0, 1, 1}));
}

TEST(Resize, RowsAreSampledByMemoryRow) {
  imaging::DibGuard source(Numbered24(1, 9));
  imaging::DibGuard result;
  imaging::Resize(source.get(), 1, 3, *result.out());
  EXPECT_EQ(PixelAt(result.get(), 0, 0).r, 0);
  EXPECT_EQ(PixelAt(result.get(), 0, 1).r, 3);
  EXPECT_EQ(PixelAt(result.get(), 0, 2).r, 6);
}

TEST(Resize, EightBitKeepsIndicesAndColourTable) {
  imaging::DibGuard source(Make(4, 1, 8));
  for (int32_t x = 0; x < 4; ++x) Row(source.get(), 0)[x] = static_cast<uint8_t>(10 + x);
  imaging::DibGuard result;
  imaging::Resize(source.get(), 2, 1, *result.out());
  ASSERT_EQ(imaging::DibBitCount(result.get()), 8u);
  EXPECT_EQ(Row(result.get(), 0)[0], 10);
  EXPECT_EQ(Row(result.get(), 0)[1], 12);
  EXPECT_EQ(result.get().Info->bmiColors[7].rgbBlue, 21);
  EXPECT_EQ(result.get().Colours[7].peRed, 7);
}

TEST(Resize, FourBitOddTargetWidthEndsInAHighNibble) {
  imaging::DibGuard source(Make(4, 1, 4));
  Row(source.get(), 0)[0] = 0x12;
  Row(source.get(), 0)[1] = 0x34;
  imaging::DibGuard result;
  // 4 -> 3: xStep 1365, columns 0, 1, 2.
  imaging::Resize(source.get(), 3, 1, *result.out());
  ASSERT_EQ(imaging::DibBitCount(result.get()), 4u);
  EXPECT_EQ(Row(result.get(), 0)[0], 0x12);
  EXPECT_EQ(Row(result.get(), 0)[1], 0x30);
}

TEST(Resize, OneBitGoesThroughThePixelFunctions) {
  imaging::DibGuard source(Make(3, 1, 1));
  imaging::setpixel(source.get(), 2, 0, 1);
  imaging::DibGuard result;
  imaging::Resize(source.get(), 6, 1, *result.out());
  ASSERT_EQ(imaging::DibBitCount(result.get()), 1u);
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(imaging::getpixel(result.get(), x, 0), x >= 4 ? 1u : 0u) << x;
}

TEST(Resize, SixteenAndThirtyTwoBitGiveABlankResultOfTheRequestedSize) {
  for (int32_t bits : {16, 32}) {
    imaging::DibGuard source(Make(4, 4, bits));
    std::fill(source.get().Pixels, source.get().Pixels + source.get().Info->bmiHeader.biSizeImage, 0xFF);
    imaging::DibGuard result;
    imaging::Resize(source.get(), 3, 2, *result.out());
    ASSERT_NE(result.get().Pixels, nullptr);
    EXPECT_EQ(imaging::DibBitCount(result.get()), static_cast<uint32_t>(bits));
    EXPECT_EQ(imaging::DibWidth(result.get()), 3);
    EXPECT_EQ(imaging::DibHeight(result.get()), 2);
    const std::vector<uint8_t> bytes = PixelBytes(result.get());
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  }
}

TEST(Resize, ZeroOrNegativeSideGivesNoImage) {
  imaging::DibGuard source(Numbered24(4, 4));
  for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{-1, 4}}) {
    imaging::RasterImage result;
    imaging::Resize(source.get(), w, h, result);
    EXPECT_EQ(result.Pixels, nullptr);
    EXPECT_EQ(result.Info, nullptr);
    EXPECT_EQ(result.Allocation, 0u);
  }
}

TEST(Resize, ResultThatCannotBeCreatedIsNil) {
  imaging::DibGuard source(Numbered24(4, 4));
  imaging::RasterImage result;
  // Beyond what newdib will allocate.
  imaging::Resize(source.get(), 1 << 20, 1 << 20, result);
  EXPECT_EQ(result.Pixels, nullptr);
}

TEST(Resize, VeryWidePictureStaysInsideTheSource) {
  // 3 million columns: (W shl 10) no longer fits in 32 bits.
  const int32_t width = 3'000'000;
  imaging::DibGuard source(Make(width, 1, 8));
  Row(source.get(), 0)[width - 1] = 77;
  imaging::DibGuard result;
  imaging::Resize(source.get(), 2, 1, *result.out());
  ASSERT_NE(result.get().Pixels, nullptr);
  EXPECT_EQ(Row(result.get(), 0)[1], 0);
  imaging::DibGuard wide;
  Resize(source.get(), width, 1, *wide.out());
  ASSERT_NE(wide.get().Pixels, nullptr);
  EXPECT_EQ(Row(wide.get(), 0)[width - 1], 77);
}
