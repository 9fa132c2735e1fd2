// Halftoned copies for palette displays, and the open filter text.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/ImagingFixtures.h"

namespace {

using fixtures::Rgb;

// A 24-bit picture filled with one colour.
imaging::Image Filled(int width, int height, Rgb colour) {
  imaging::Image image;
  imaging::newdib(&image, width, height, 24, nullptr, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      imaging::setpixel(*image, x, y, uint32_t(colour.r | colour.g << 8 | colour.b << 16));
  }
  return image;
}

TEST(Halftone, CopyIsEightBitWithItsOwnPalette) {
  imaging::Image source = Filled(13, 7, {255, 0, 0});
  imaging::Image copy;
  imaging::DIBHalftoneDIB(&copy, *source);
  const imaging::RasterImage& image = *copy;
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
    imaging::Image source = Filled(9, 9, colour);
    imaging::Image copy;
    imaging::DIBHalftoneDIB(&copy, *source);
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 9; ++x) ASSERT_EQ(fixtures::PixelAt(*copy, x, y), colour) << x << "," << y;
    }
  }
}

TEST(Halftone, InBetweenColoursAverageOut) {
  imaging::Image source = Filled(16, 16, {128, 200, 30});
  imaging::Image copy;
  imaging::DIBHalftoneDIB(&copy, *source);
  Rgb sum{0, 0, 0};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Rgb c = fixtures::PixelAt(*copy, x, y);
      sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
    }
  }
  EXPECT_NEAR(sum.r / 256, 128, 4);
  EXPECT_NEAR(sum.g / 256, 200, 4);
  EXPECT_NEAR(sum.b / 256, 30, 4);
}

TEST(Halftone, ScaledCopyTakesNearestPixels) {
  imaging::Image source;
  fixtures::Open(source, fixtures::Path("bmp-24.bmp"));
  ASSERT_NE(source->Pixels, nullptr);
  imaging::Image copy;
  imaging::DIBHalftoneDIBXY(&copy, *source, 10, 6);
  ASSERT_NE(copy->Pixels, nullptr);
  EXPECT_EQ(imaging::DibWidth(*copy), 10);
  EXPECT_EQ(imaging::DibHeight(*copy), 6);
  // Pure cube colours of the pattern survive the dither unchanged.
  EXPECT_EQ(fixtures::PixelAt(*copy, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(fixtures::PixelAt(*copy, 5, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(fixtures::PixelAt(*copy, 9, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(fixtures::PixelAt(*copy, 7, 5), (Rgb{255, 255, 0}));
}

TEST(Halftone, NoPictureOrNoSizeGivesNoCopy) {
  imaging::Image copy;
  imaging::DIBHalftoneDIB(&copy, imaging::EmptyRasterImage());
  EXPECT_EQ(copy->Pixels, nullptr);
  imaging::Image source = Filled(4, 4, {1, 2, 3});
  imaging::DIBHalftoneDIBXY(&copy, *source, 0, 5);
  EXPECT_EQ(copy->Pixels, nullptr);
  DIBHalftoneDIBXY(&copy, *source, 5, -1);
  EXPECT_EQ(copy->Pixels, nullptr);
}

TEST(Halftone, PalettePicturesAreReadThroughTheirColourTable) {
  imaging::Image source;
  fixtures::Open(source, fixtures::Path("bmp-4.bmp"));
  imaging::Image copy;
  imaging::DIBHalftoneDIB(&copy, *source);
  ASSERT_NE(copy->Pixels, nullptr);
  EXPECT_EQ(fixtures::PixelAt(*copy, 1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(fixtures::PixelAt(*copy, 3, 2), (Rgb{255, 255, 0}));
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
