// Every lossless format and depth, from files written by encoders other than
// ours, checked pixel by pixel against the pattern they were made from.
#include <gtest/gtest.h>

#include <functional>

#include "support/ImagingFixtures.h"

namespace {

using fixtures::PatternAt;
using fixtures::Rgb;
using Expected = std::function<Rgb(int x, int y)>;

struct Case {
  const char* file;
  int depth;
  Expected pixel;
};

Rgb Palette2(int x, int y) { return fixtures::kPalette2[fixtures::Index2(x, y)]; }
Rgb Palette4(int x, int y) { return fixtures::kPalette4[fixtures::Index4(x, y)]; }
Rgb PatternOverWhite(int x, int y) { return fixtures::OverWhite(PatternAt(x, y), fixtures::kAlpha[x]); }
Expected Grey(int depth) {
  return [depth](int x, int y) {
    const int v = depth < 8 ? fixtures::Widen(fixtures::Grey(x, y, depth), depth) : fixtures::Grey(x, y, 8);
    return Rgb{v, v, v};
  };
}
// 5-bit (or 6-bit) channels as the file holds them, stretched back to 8 bits.
Rgb Quantised(int x, int y, int greenBits) {
  const Rgb c = PatternAt(x, y);
  const auto q = [](int v, int bits) { return ((v >> (8 - bits)) * 255 + ((1 << bits) - 1) / 2) / ((1 << bits) - 1); };
  return {q(c.r, 5), q(c.g, greenBits), q(c.b, 5)};
}

void ExpectPicture(const Case& c) {
  SCOPED_TRACE(c.file);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path(c.file));
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  EXPECT_EQ(imaging::DibWidth(image), fixtures::kWidth);
  EXPECT_EQ(imaging::DibHeight(image), fixtures::kHeight);
  EXPECT_EQ(static_cast<int>(imaging::DibBitCount(image)), c.depth);
  EXPECT_EQ(image.Stride, DibStride(fixtures::kWidth, c.depth));
  for (int y = 0; y < fixtures::kHeight; ++y) {
    for (int x = 0; x < fixtures::kWidth; ++x) {
      const Rgb got = fixtures::PixelAt(image, x, y), want = c.pixel(x, y);
      EXPECT_EQ(got, want) << "pixel " << x << "," << y << " is " << got.r << "," << got.g << "," << got.b
                           << " instead of " << want.r << "," << want.g << "," << want.b;
    }
  }
}

TEST(LosslessDecode, BmpEveryDepthAndLayout) {
  const Case cases[] = {
      {"bmp-1.bmp", 1, Palette2},
      {"bmp-2.bmp", 4, Palette4},  // 2-bit palettes widen to 4
      {"bmp-4.bmp", 4, PatternAt},
      {"bmp-8.bmp", 8, PatternAt},
      {"bmp-8-topdown.bmp", 8, PatternAt},
      {"bmp-24.bmp", 24, PatternAt},
      {"bmp-24-topdown.bmp", 24, PatternAt},
      {"bmp-24-im.bmp", 24, PatternAt},
      {"bmp-32.bmp", 24, PatternAt},  // unused alpha bytes mean opaque
      {"bmp-32-alpha.bmp", 24, PatternOverWhite},
      {"bmp-16.bmp", 24, [](int x, int y) { return Quantised(x, y, 5); }},
      {"bmp-16-565.bmp", 24, [](int x, int y) { return Quantised(x, y, 6); }},
      {"bmp-rle8-im.bmp", 8, PatternAt},
      {"bmp-os2.bmp", 8, PatternAt},
      // Top and bottom rows: one run of two alternating indices; middle row absolute.
      {"bmp-rle4.bmp", 4, [](int x, int y) { return Palette4(y == 1 ? x : x % 2, y); }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, BmpRle8DeltaLeavesSkippedPixelsAtIndexZero) {
  const Rgb indexZero = fixtures::kPattern[0][0];
  // Top row: one pixel, a jump of two columns, then a run of two of column 3's colour.
  ExpectPicture({"bmp-rle8.bmp", 8, [&](int x, int y) {
                   if (y != 0 || x == 0) return PatternAt(x, y);
                   return x < 3 ? indexZero : PatternAt(3, 0);
                 }});
}

TEST(LosslessDecode, PngPaletteKeepsItsDepth) {
  const Case cases[] = {
      {"png-palette-1.png", 1, Palette2},
      {"png-palette-2.png", 4, Palette4},
      {"png-palette-4.png", 4, PatternAt},
      {"png-palette-8.png", 8, PatternAt},
      {"png-palette-4-interlaced.png", 4, PatternAt},
      {"png-palette-trns.png", 4,
       [](int x, int y) {
         const int index = y * 5 + x;
         return index == 0   ? Rgb{255, 255, 255}
                : index == 1 ? fixtures::OverWhite(PatternAt(x, y), 128)
                             : PatternAt(x, y);
       }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, PngGreyBecomesEightBitGrey) {
  const Case cases[] = {
      {"png-grey-1.png", 8, Grey(1)},
      {"png-grey-2.png", 8, Grey(2)},
      {"png-grey-4.png", 8, Grey(4)},
      {"png-grey-8.png", 8, Grey(8)},
      {"png-grey-16.png", 8, Grey(8)},
      {"png-grey-2-interlaced.png", 8, Grey(2)},
      {"png-grey-trns.png", 8,
       [](int x, int y) {
         return x + y == 0 ? Rgb{255, 255, 255} : Grey(8)(x, y);
       }},
      {"png-grey-alpha-8.png", 8,
       [](int x, int y) {
         const int v = fixtures::OverWhite(fixtures::Grey(x, y, 8), fixtures::kAlpha[x]);
         return Rgb{v, v, v};
       }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, PngColourBecomes24BitWithAlphaOverWhite) {
  const Case cases[] = {
      {"png-rgb-8.png", 24, PatternAt},
      {"png-rgb-16.png", 24, PatternAt},
      {"png-rgb-im.png", 24, PatternAt},
      {"png-interlaced-im.png", 4, PatternAt},  // ImageMagick chose a 4-bit palette
      {"png-rgba-8.png", 24, PatternOverWhite},
      {"png-rgba-16.png", 24, PatternOverWhite},
      {"png-rgba-8-interlaced.png", 24, PatternOverWhite},
      {"png-rgb-trns.png", 24,
       [](int x, int y) {
         return x + y == 0 ? Rgb{255, 255, 255} : PatternAt(x, y);
       }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, GifFirstFrameWithTransparencyOverWhite) {
  const Case cases[] = {
      {"gif-pattern.gif", 4, PatternAt},
      {"gif-transparent.gif", 4,
       [](int x, int y) {
         return x == 4 && y == 0 ? Rgb{255, 255, 255} : PatternAt(x, y);
       }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, GifInterlacedRowsLandInPlace) {
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path("gif-interlaced.gif"));
  ASSERT_NE(image.Pixels, nullptr);
  ASSERT_EQ(imaging::DibHeight(image), 9);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < fixtures::kWidth; ++x)
      EXPECT_EQ(fixtures::PixelAt(image, x, y), PatternAt(x, y % 3)) << x << "," << y;
  }
}

TEST(LosslessDecode, GifWithTwoColoursIsOneBit) {
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path("gif-bilevel.gif"));
  ASSERT_NE(image.Pixels, nullptr);
  EXPECT_EQ(imaging::DibBitCount(image), 1u);
  EXPECT_EQ(fixtures::PixelAt(image, 3, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(fixtures::PixelAt(image, 4, 0), (Rgb{0, 0, 0}));
}

TEST(LosslessDecode, TiffAndWebP) {
  const Case cases[] = {
      {"tiff-rgb.tif", 24, PatternAt},
      {"tiff-rgb-msb.tif", 24, PatternAt},  // big-endian, deflate
      {"tiff-palette.tif", 24, PatternAt},
      {"tiff-grey.tif", 8,
       [](int x, int y) {
         // The grey levels ImageMagick's conversion stored in the file.
         static constexpr int kLevels[3][5] = {{54, 182, 18, 255, 0}, {47, 128, 65, 109, 77}, {34, 117, 61, 236, 147}};
         return Rgb{kLevels[y][x], kLevels[y][x], kLevels[y][x]};
       }},
      {"webp-lossless.webp", 24, PatternAt},
      {"webp-alpha.webp", 24,
       [](int x, int y) {
         return x + y == 0 ? Rgb{255, 255, 255} : PatternAt(x, y);
       }},
  };
  for (const Case& c : cases) ExpectPicture(c);
}

TEST(LosslessDecode, PngNamedJpgOpensByContent) { ExpectPicture({"png-named-as.jpg", 24, PatternAt}); }

}  // namespace

namespace {

TEST(OpenProgress, EveryFormatReportsRisingValuesFromZeroToHundred) {
  for (const char* file : {"bmp-24.bmp", "bmp-rle8.bmp", "png-rgba-8-interlaced.png", "png-palette-4.png",
                           "gif-interlaced.gif", "tiff-rgb.tif", "webp-alpha.webp", "jpeg-baseline.jpg"}) {
    SCOPED_TRACE(file);
    fixtures::RecordingProgress progress;
    imaging::Image guard;
    ASSERT_NE(fixtures::Open(guard, fixtures::Path(file), &progress).Pixels, nullptr);
    ASSERT_GE(progress.seen.size(), 2u);
    EXPECT_EQ(progress.seen.front(), 0);
    EXPECT_EQ(progress.seen.back(), 100);
    for (size_t i = 1; i < progress.seen.size(); ++i) EXPECT_GT(progress.seen[i], progress.seen[i - 1]);
  }
}

}  // namespace
