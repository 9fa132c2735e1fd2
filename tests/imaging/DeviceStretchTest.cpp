#include <gtest/gtest.h>

#include "imaging/StretchDrawDib.h"
#include "support/MemoryDeviceContext.h"
#include "support/TestImages.h"

using namespace testimages;
using drawing::DeviceKind;
using drawing::MemoryDeviceContext;

namespace {

const char* const kNoBitmap = "Konnte Bitmap nicht erzeugen!";
const char* const kNoSetDIBits = "Das Ger\xE4t unterst\xFCtzt die Funtkion setdibits nicht!";
const char* const kNoStretchBlt = "Das Ger\xE4t unterst\xFCtzt die Funktion StretchBlt nicht!";

// A printer whose bitmap stretching fails, so the fallbacks run.
struct FailingPrinter : MemoryDeviceContext {
  FailingPrinter(int32_t width, int32_t height) : MemoryDeviceContext(width, height, kUntouched) {
    SetKind(DeviceKind::Printer);
    Failures().stretchDIBits = true;
  }
};

void Draw(MemoryDeviceContext& dc, const imaging::RasterImage& image, int32_t x, int32_t y, int32_t destWidth,
          int32_t destHeight) {
  imaging::StretchDrawDib(dc, x, y, destWidth, destHeight, image, 0, 0, imaging::DibWidth(image),
                          imaging::DibHeight(image), false, drawing::SRCCOPY, true, nullptr);
}

}  // namespace

TEST(DeviceStretch, SucceedingStretchIsTheOnlyCall) {
  imaging::Image image = Numbered24(6, 4);
  MemoryDeviceContext dc(12, 8, kUntouched);
  dc.SetKind(DeviceKind::Printer);
  Draw(dc, *image, 0, 0, 12, 8);
  EXPECT_EQ(dc.CallsNamed("StretchDIBits").size(), 1u);
  EXPECT_TRUE(dc.CallsNamed("SetDIBitsToDevice").empty());
  EXPECT_TRUE(dc.CallsNamed("CreateCompatibleBitmap").empty());
  EXPECT_EQ(dc.Pixel(11, 7), NumberedColour(5, 0));
  EXPECT_EQ(dc.Pixel(0, 0), NumberedColour(0, 3));
}

TEST(DeviceStretch, FirstFallbackScalesFirstToFirstAndLastToLast) {
  imaging::Image image = Numbered24(4, 3);
  FailingPrinter dc(10, 10);
  Draw(dc, *image, 1, 2, 7, 5);
  const auto copies = dc.CallsNamed("SetDIBitsToDevice");
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].args, (std::vector<int64_t>{1, 2, 7, 5, 0, 0, 0, 5, 24, 0}));
  EXPECT_TRUE(dc.CallsNamed("CreateCompatibleBitmap").empty());
  EXPECT_TRUE(dc.Messages().empty());
  // Target column x takes source column 3 * x div 6; target memory row y
  // takes source row 2 * y div 4. Device row 2 is the top (memory row 4).
  const int32_t columns[] = {0, 0, 1, 1, 2, 2, 3};
  const int32_t rows[] = {0, 0, 1, 1, 2};
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 7; ++x) {
      ASSERT_EQ(dc.Pixel(1 + x, 2 + 4 - y), NumberedColour(columns[x], rows[y])) << x << "," << y;
    }
  }
  EXPECT_EQ(dc.Pixel(0, 2), kUntouched);
  EXPECT_EQ(dc.Pixel(8, 2), kUntouched);
}

TEST(DeviceStretch, FirstFallbackOnePixelDestinationTakesTheFirstSourcePixel) {
  imaging::Image image = Numbered24(5, 5);
  FailingPrinter dc(4, 4);
  Draw(dc, *image, 0, 0, 1, 3);
  EXPECT_EQ(dc.Pixel(0, 2), NumberedColour(0, 0));
  EXPECT_EQ(dc.Pixel(0, 0), NumberedColour(0, 4));
  FailingPrinter flat(4, 4);
  Draw(flat, *image, 0, 0, 3, 1);
  EXPECT_EQ(flat.Pixel(0, 0), NumberedColour(0, 0));
  EXPECT_EQ(flat.Pixel(2, 0), NumberedColour(4, 0));
}

TEST(DeviceStretch, FirstFallbackKeepsNibbleOrderOfFourBitPictures) {
  imaging::Image image = Make(3, 1, 4);
  Row(*image, 0)[0] = 0x12;
  Row(*image, 0)[1] = 0x30;
  FailingPrinter dc(6, 1);
  Draw(dc, *image, 0, 0, 5, 1);
  // Columns 0, 0, 1, 1, 2 of colours 1, 2, 3 (red i, green 2i, blue 3i).
  const uint32_t expected[] = {0x010203, 0x010203, 0x020406, 0x020406, 0x030609};
  for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(dc.Pixel(x, 0), expected[x]) << x;
}

TEST(DeviceStretch, FirstFallbackCopiesOneBitAndThirtyTwoBitPictures) {
  imaging::Image mono = Make(2, 1, 1);
  imaging::setpixel(*mono, 1, 0, 1);
  FailingPrinter monoDc(4, 1);
  Draw(monoDc, *mono, 0, 0, 4, 1);
  EXPECT_EQ(monoDc.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(monoDc.Pixel(3, 0), 0x010203u);  // colour 1 of the test table

  imaging::Image deep = Make(2, 1, 32);
  uint8_t* p = Row(*deep, 0);
  p[4] = 0x30, p[5] = 0x20, p[6] = 0x10;  // column 1: blue, green, red
  FailingPrinter deepDc(4, 1);
  Draw(deepDc, *deep, 0, 0, 4, 1);
  EXPECT_EQ(deepDc.Pixel(3, 0), 0x102030u);
}

TEST(DeviceStretch, FirstFallbackCopiesSixteenBitPictures) {
  imaging::Image image = Make(2, 1, 16);
  uint8_t* p = Row(*image, 0);
  p[2] = 0xFF, p[3] = 0x7F;  // column 1: 5-5-5 white
  FailingPrinter dc(4, 1);
  Draw(dc, *image, 0, 0, 4, 1);
  EXPECT_EQ(dc.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(dc.Pixel(3, 0), 0xFFFFFFu);
}

TEST(DeviceStretch, WithoutDibToDeviceTheCompatibleBitmapIsUsed) {
  imaging::Image image = Numbered24(4, 3);
  FailingPrinter dc(10, 10);
  dc.SetRasterCaps(0);
  Draw(dc, *image, 2, 1, 8, 6);
  EXPECT_TRUE(dc.CallsNamed("SetDIBitsToDevice").empty());
  EXPECT_EQ(dc.CallsNamed("CreateCompatibleBitmap").at(0).args, (std::vector<int64_t>{4, 3}));
  EXPECT_EQ(dc.CallsNamed("SetDIBits").at(0).args, (std::vector<int64_t>{0, 3, 24, 0}));
  EXPECT_EQ(dc.CallsNamed("StretchBlt").at(0).args, (std::vector<int64_t>{2, 1, 8, 6, 0, 0, 4, 3, drawing::SRCCOPY}));
  EXPECT_TRUE(dc.Messages().empty());
  EXPECT_EQ(dc.Pixel(2, 1), NumberedColour(0, 2));
  EXPECT_EQ(dc.Pixel(9, 6), NumberedColour(3, 0));
}

TEST(DeviceStretch, FailedUnscaledCopyFallsBackToTheCompatibleBitmap) {
  imaging::Image image = Numbered24(4, 3);
  FailingPrinter dc(10, 10);
  dc.Failures().setDIBitsToDevice = true;
  Draw(dc, *image, 0, 0, 4, 3);
  EXPECT_EQ(dc.CallsNamed("SetDIBitsToDevice").size(), 1u);
  EXPECT_EQ(dc.CallsNamed("StretchBlt").size(), 1u);
  EXPECT_EQ(dc.Pixel(3, 0), NumberedColour(3, 2));
}

TEST(DeviceStretch, BitmapSourceRectangleIsReadFromTheTop) {
  // Rows 1..2 from the bottom of a 4-row picture are rows 1..2 from the top.
  imaging::Image image = Numbered24(4, 4);
  FailingPrinter dc(10, 10);
  dc.SetRasterCaps(0);
  imaging::StretchDrawDib(dc, 0, 0, 4, 2, *image, 0, 1, 4, 2, false, drawing::SRCCOPY, true, nullptr);
  EXPECT_EQ(dc.CallsNamed("StretchBlt").at(0).args[5], 1);
  EXPECT_EQ(dc.Pixel(0, 0), NumberedColour(0, 2));
  EXPECT_EQ(dc.Pixel(0, 1), NumberedColour(0, 1));
}

TEST(DeviceStretch, SecondFallbackMessages) {
  struct Case {
    bool noBitmap, noSetDIBits, noStretchBlt;
    const char* message;
  };
  for (const Case& c : {Case{true, false, false, kNoBitmap}, Case{false, true, false, kNoSetDIBits},
                        Case{false, false, true, kNoStretchBlt}}) {
    imaging::Image image = Numbered24(4, 3);
    FailingPrinter dc(6, 6);
    dc.SetRasterCaps(0);
    dc.Failures().createCompatibleBitmap = c.noBitmap;
    dc.Failures().setDIBits = c.noSetDIBits;
    dc.Failures().stretchBlt = c.noStretchBlt;
    Draw(dc, *image, 0, 0, 4, 3);
    EXPECT_EQ(dc.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(dc.CallsNamed("SetDIBits").size(), c.noBitmap ? 0u : 1u);
    EXPECT_EQ(dc.CallsNamed("StretchBlt").size(), (c.noBitmap || c.noSetDIBits) ? 0u : 1u);
    EXPECT_EQ(dc.Pixel(0, 0), kUntouched);
  }
}

TEST(DeviceStretch, ScaledCopyThatCannotBeMadeEndsTheDrawing) {
  imaging::Image image = Numbered24(4, 3);
  FailingPrinter dc(6, 6);
  // 20000 x 20000 pixels is more than an image may hold.
  Draw(dc, *image, 0, 0, 20000, 20000);
  EXPECT_TRUE(dc.CallsNamed("SetDIBitsToDevice").empty());
  EXPECT_TRUE(dc.CallsNamed("CreateCompatibleBitmap").empty());
  EXPECT_TRUE(dc.Messages().empty());
}

TEST(DeviceStretch, PaletteIsRestoredAfterEveryFallback) {
  imaging::Image image = Make(4, 3, 8);
  FailingPrinter dc(6, 6);
  dc.SetRasterCaps(0);
  dc.Failures().stretchBlt = true;
  Draw(dc, *image, 0, 0, 4, 3);
  EXPECT_EQ(dc.Messages().size(), 1u);
  EXPECT_EQ(dc.SelectedPalette(), drawing::DefaultPalette());
}
