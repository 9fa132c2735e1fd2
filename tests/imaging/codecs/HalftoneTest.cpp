// Halftoned copies for palette displays, and the open filter text.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/ImagingFixtures.h"

namespace {

using fixtures::Rgb;

// A 24-bit picture filled with one colour.
imaging::RasterImage Filled(int width, int height, Rgb colour) {
  imaging::RasterImage image;
  imaging::newdib(&image, width, height, 24, nullptr, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) imaging::setpixel(image, x, y, uint32_t(colour.r | colour.g << 8 | colour.b << 16));
  }
  return image;
}

TEST(Halftone, CopyIsEightBitWithItsOwnPalette) {
  imaging::DibGuard source(Filled(13, 7, {255, 0, 0}));
  imaging::DibGuard copy;
  imaging::DIBHalftoneDIB(copy.out(), source.get());
  const imaging::RasterImage& image = copy.get();
  ASSERT_NE(image.Pixels, nullptr);
  EXPECT_EQ(imaging::DibWidth(image), 13);
  EXPECT_EQ(imaging::DibHeight(image), 7);
  EXPECT_EQ(imaging::DibBitCount(image), 8u);
  EXPECT_EQ(image.HasPalette, 1);
  ASSERT_NE(image.PaletteHandle, nullptr);
  EXPECT_EQ(image.PaletteHandle->count, 256);
  EXPECT_EQ(image.Info->bmiHeader.biClrUsed, 256u);
}

TEST(Halftone, PaletteColoursStayExact) {
  for (const Rgb colour : {Rgb{255, 0, 0}, Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{51, 102, 153}}) {
    imaging::DibGuard source(Filled(9, 9, colour));
    imaging::DibGuard copy;
    imaging::DIBHalftoneDIB(copy.out(), source.get());
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 9; ++x) ASSERT_EQ(fixtures::PixelAt(copy.get(), x, y), colour) << x << "," << y;
    }
  }
}

TEST(Halftone, InBetweenColoursAverageOut) {
  imaging::DibGuard source(Filled(16, 16, {128, 200, 30}));
  imaging::DibGuard copy;
  imaging::DIBHalftoneDIB(copy.out(), source.get());
  Rgb sum{0, 0, 0};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Rgb c = fixtures::PixelAt(copy.get(), x, y);
      sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
    }
  }
  EXPECT_NEAR(sum.r / 256, 128, 4);
  EXPECT_NEAR(sum.g / 256, 200, 4);
  EXPECT_NEAR(sum.b / 256, 30, 4);
}

TEST(Halftone, ScaledCopyTakesNearestPixels) {
  imaging::DibGuard source;
  fixtures::Open(source, fixtures::Path("bmp-24.bmp"));
  ASSERT_NE(source.get().Pixels, nullptr);
  imaging::DibGuard copy;
  imaging::DIBHalftoneDIBXY(copy.out(), source.get(), 10, 6);
  ASSERT_NE(copy.get().Pixels, nullptr);
  EXPECT_EQ(imaging::DibWidth(copy.get()), 10);
  EXPECT_EQ(imaging::DibHeight(copy.get()), 6);
  // Pure cube colours of the pattern survive the dither unchanged.
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 5, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 9, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 7, 5), (Rgb{255, 255, 0}));
}

TEST(Halftone, NoPictureOrNoSizeGivesNoCopy) {
  imaging::DibGuard copy;
  imaging::DIBHalftoneDIB(copy.out(), imaging::EmptyRasterImage());
  EXPECT_EQ(copy.get().Pixels, nullptr);
  imaging::DibGuard source(Filled(4, 4, {1, 2, 3}));
  imaging::DIBHalftoneDIBXY(copy.out(), source.get(), 0, 5);
  EXPECT_EQ(copy.get().Pixels, nullptr);
  DIBHalftoneDIBXY(copy.out(), source.get(), 5, -1);
  EXPECT_EQ(copy.get().Pixels, nullptr);
}

TEST(Halftone, PalettePicturesAreReadThroughTheirColourTable) {
  imaging::DibGuard source;
  fixtures::Open(source, fixtures::Path("bmp-4.bmp"));
  imaging::DibGuard copy;
  imaging::DIBHalftoneDIB(copy.out(), source.get());
  ASSERT_NE(copy.get().Pixels, nullptr);
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(fixtures::PixelAt(copy.get(), 3, 2), (Rgb{255, 255, 0}));
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

TEST(OpenFilter, PairsOfDescriptionAndMasksWithAllPicturesFirst) {
  const std::vector<std::string> items = Split(imaging::GetDIBOpenFilter(), '|');
  ASSERT_GE(items.size(), 14u);
  ASSERT_EQ(items.size() % 2, 0u);
  EXPECT_EQ(items[0], "Alle Bilddateien");
  const std::vector<std::string> all = Split(items[1], ';');
  const std::set<std::string> allSet(all.begin(), all.end());
  for (const char* mask :
       {"*.jpg", "*.jpeg", "*.png", "*.gif", "*.bmp", "*.tif", "*.tiff", "*.webp", "*.heic", "*.heif", "*.avif"}) {
    EXPECT_TRUE(allSet.count(mask)) << mask;
  }
  for (size_t i = 3; i < items.size(); i += 2) {
    for (const std::string& mask : Split(items[i], ';')) {
      EXPECT_TRUE(mask.starts_with("*.")) << mask;
      EXPECT_TRUE(allSet.count(mask)) << mask << " missing from the first entry";
    }
  }
}

}  // namespace
