#include <gtest/gtest.h>

#include "imaging/StretchDrawDib.h"
#include "support/MemoryDeviceContext.h"
#include "support/TestImages.h"

using namespace testimages;
using drawing::DeviceKind;
using drawing::MemoryDeviceContext;
using drawing::RecordedCall;

namespace {

void DrawWhole(MemoryDeviceContext& dc, const imaging::RasterImage& image, int32_t destWidth, int32_t destHeight,
               bool halftone = true) {
  imaging::StretchDrawDib(dc, 0, 0, destWidth, destHeight, image, 0, 0, imaging::DibWidth(image),
                          imaging::DibHeight(image), halftone, drawing::SRCCOPY, true, nullptr);
}

enum class Path { Halftone, Rows24, Rows8, Device };

// Which path drew: the row scalers draw rows with SetDIBitsToDevice, the
// halftone path stretches its 8-bit copy, the device path the picture itself.
Path PathTaken(const MemoryDeviceContext& dc, const imaging::RasterImage& image) {
  const auto stretches = dc.CallsNamed("StretchDIBits");
  const auto rows = dc.CallsNamed("SetDIBitsToDevice");
  EXPECT_TRUE(stretches.empty() != rows.empty());
  if (!rows.empty()) return rows[0].args[8] == 24 ? Path::Rows24 : Path::Rows8;
  return stretches.at(0).args[8] == imaging::DibBitCount(image) ? Path::Device : Path::Halftone;
}

Path PathFor(int32_t pictureBits, DeviceKind kind, int32_t desktopBits, bool halftone) {
  imaging::Image image = Make(8, 6, pictureBits);
  MemoryDeviceContext dc(20, 20);
  dc.SetKind(kind);
  dc.SetDesktopBitsPerPixel(desktopBits);
  DrawWhole(dc, *image, 16, 12, halftone);
  return PathTaken(dc, *image);
}

// The arguments StretchDIBits received on a printer (no scaling of our own).
std::vector<int64_t> StretchArguments(int32_t width, int32_t height, int32_t x, int32_t y, int32_t destWidth,
                                      int32_t destHeight, int32_t srcX, int32_t srcY, int32_t srcWidth,
                                      int32_t srcHeight) {
  imaging::Image image = Make(width, height, 24);
  MemoryDeviceContext dc(10, 10);
  dc.SetKind(DeviceKind::Printer);
  imaging::StretchDrawDib(dc, x, y, destWidth, destHeight, *image, srcX, srcY, srcWidth, srcHeight, false,
                          drawing::SRCCOPY, true, nullptr);
  const auto calls = dc.CallsNamed("StretchDIBits");
  if (calls.size() != 1) return {};
  return std::vector<int64_t>(calls[0].args.begin(), calls[0].args.begin() + 8);
}

}  // namespace

TEST(StretchDrawDibPath, PrinterAlwaysStretchesOnTheDevice) {
  for (int32_t bits : {1, 4, 8, 16, 24, 32}) {
    EXPECT_EQ(PathFor(bits, DeviceKind::Printer, 32, false), Path::Device) << bits;
    EXPECT_EQ(PathFor(bits, DeviceKind::Printer, 8, false), Path::Device) << bits;
  }
}

TEST(StretchDrawDibPath, TwentyFourBitsOnDisplays) {
  EXPECT_EQ(PathFor(24, DeviceKind::Display, 16, true), Path::Rows24);
  EXPECT_EQ(PathFor(24, DeviceKind::Display, 32, true), Path::Rows24);
  EXPECT_EQ(PathFor(24, DeviceKind::Display, 8, true), Path::Halftone);
  EXPECT_EQ(PathFor(24, DeviceKind::Display, 4, true), Path::Halftone);
  EXPECT_EQ(PathFor(24, DeviceKind::Display, 8, false), Path::Rows24);
}

TEST(StretchDrawDibPath, EightBitsOnDisplaysUseTheOwnScaler) {
  EXPECT_EQ(PathFor(8, DeviceKind::Display, 32, true), Path::Rows8);
  EXPECT_EQ(PathFor(8, DeviceKind::Display, 8, true), Path::Rows8);
}

TEST(StretchDrawDibPath, OtherDepthsAlwaysStretchOnTheDevice) {
  for (int32_t bits : {1, 4, 16, 32}) {
    for (int32_t desktop : {8, 16, 32}) {
      EXPECT_EQ(PathFor(bits, DeviceKind::Display, desktop, true), Path::Device) << bits << " on " << desktop;
    }
  }
}

TEST(StretchDrawDibPath, LeavesColourOnColourStretchMode) {
  imaging::Image image = Make(4, 4, 24);
  MemoryDeviceContext dc(8, 8);
  DrawWhole(dc, *image, 4, 4);
  EXPECT_EQ(dc.StretchMode(), drawing::COLORONCOLOR);
}

TEST(StretchDrawDibClipping, RightEdgeShrinksWidthAndKeepsX) {
  // x, y, destW, destH, srcX, srcY, srcW, srcH as handed to the device.
  EXPECT_EQ(StretchArguments(100, 50, 5, 7, 200, 50, 10, 0, 100, 50),
            (std::vector<int64_t>{5, 7, 180, 50, 10, 0, 90, 50}));
}

TEST(StretchDrawDibClipping, LeftEdgeMovesXRight) {
  EXPECT_EQ(StretchArguments(100, 50, 5, 7, 200, 50, -10, 0, 100, 50),
            (std::vector<int64_t>{25, 7, 180, 50, 0, 0, 90, 50}));
}

TEST(StretchDrawDibClipping, PastTheTopMovesYDown) {
  EXPECT_EQ(StretchArguments(50, 100, 5, 7, 50, 200, 0, 10, 50, 100),
            (std::vector<int64_t>{5, 27, 50, 180, 0, 10, 50, 90}));
}

TEST(StretchDrawDibClipping, BelowTheBottomKeepsY) {
  EXPECT_EQ(StretchArguments(50, 100, 5, 7, 50, 200, 0, -10, 50, 100),
            (std::vector<int64_t>{5, 7, 50, 180, 0, 0, 50, 90}));
}

TEST(StretchDrawDibClipping, HalvesRoundToEven) {
  // 1 of 2 source columns remain: 5 / 2 = 2.5 gives 2, 7 / 2 = 3.5 gives 4.
  EXPECT_EQ(StretchArguments(1, 1, 0, 0, 5, 1, 0, 0, 2, 1)[2], 2);
  EXPECT_EQ(StretchArguments(1, 1, 0, 0, 7, 1, 0, 0, 2, 1)[2], 4);
}

TEST(StretchDrawDibClipping, SourceOutsideThePictureDrawsNothing) {
  EXPECT_TRUE(StretchArguments(10, 10, 0, 0, 10, 10, 10, 0, 10, 10).empty());
  EXPECT_TRUE(StretchArguments(10, 10, 0, 0, 10, 10, 0, -10, 10, 10).empty());
  EXPECT_TRUE(StretchArguments(10, 10, 0, 0, 10, 10, -20, 0, 10, 10).empty());
  EXPECT_TRUE(StretchArguments(10, 10, 0, 0, 10, 10, 0, 0, 0, 10).empty());
}

TEST(StretchDrawDibPalette, OwnPaletteIsSelectedAndRestored) {
  imaging::Image image = Make(4, 4, 8);
  ASSERT_EQ(image->HasPalette, 1);
  MemoryDeviceContext dc(8, 8);
  DrawWhole(dc, *image, 4, 4);
  const auto selections = dc.CallsNamed("SelectPalette");
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_EQ(selections[0].args[0], reinterpret_cast<intptr_t>(image->PaletteHandle));
  EXPECT_EQ(selections[0].args[1], 0);  // not forced into the background
  EXPECT_EQ(dc.CallsNamed("RealizePalette").size(), 1u);
  EXPECT_EQ(dc.SelectedPalette(), drawing::DefaultPalette());
}

TEST(StretchDrawDibPalette, OutsidePaletteWhenNotUsingTheOwn) {
  imaging::Image image = Make(4, 4, 8);
  LogicalPalette outside{};
  MemoryDeviceContext dc(8, 8);
  imaging::StretchDrawDib(dc, 0, 0, 4, 4, *image, 0, 0, 4, 4, true, drawing::SRCCOPY, false, &outside);
  EXPECT_EQ(dc.CallsNamed("SelectPalette").at(0).args[0], reinterpret_cast<intptr_t>(&outside));
  EXPECT_EQ(dc.SelectedPalette(), drawing::DefaultPalette());
}

TEST(StretchDrawDibPalette, NoPaletteSelectedForPicturesWithout) {
  imaging::Image image = Make(4, 4, 24);
  MemoryDeviceContext dc(8, 8);
  DrawWhole(dc, *image, 4, 4);
  EXPECT_TRUE(dc.CallsNamed("SelectPalette").empty());
}

TEST(StretchDrawDibPalette, HalftonePathRestoresThePaletteItSelected) {
  imaging::Image image = Numbered24(40, 30);
  LogicalPalette outside{};
  MemoryDeviceContext dc(40, 30, kUntouched);
  dc.SetDesktopBitsPerPixel(8);
  imaging::StretchDrawDib(dc, 0, 0, 20, 15, *image, 0, 0, 40, 30, true, drawing::SRCCOPY, false, &outside);
  const auto selections = dc.CallsNamed("SelectPalette");
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_EQ(selections[0].args[0], reinterpret_cast<intptr_t>(&outside));
  EXPECT_EQ(dc.SelectedPalette(), drawing::DefaultPalette());
}

TEST(StretchDrawDibHalftone, ReducedCopyIsDrawnOneToOne) {
  imaging::Image image = Numbered24(40, 30);
  MemoryDeviceContext dc(40, 30, kUntouched);
  dc.SetDesktopBitsPerPixel(8);
  // Source columns 10..29, rows 6..20 from the bottom, halved.
  imaging::StretchDrawDib(dc, 2, 3, 10, 8, *image, 10, 6, 20, 15, true, drawing::SRCCOPY, true, nullptr);
  const auto calls = dc.CallsNamed("StretchDIBits");
  ASSERT_EQ(calls.size(), 1u);
  // Copy of 20 x 16 (40 * 10 / 20, 30 * 8 / 15); source at 10 * 20 / 40, 6 * 16 / 30 = 3.2.
  EXPECT_EQ(std::vector<int64_t>(calls[0].args.begin(), calls[0].args.begin() + 9),
            (std::vector<int64_t>{2, 3, 10, 8, 5, 3, 10, 8, 8}));
  EXPECT_NE(dc.Pixel(2, 3), kUntouched);
  EXPECT_EQ(dc.Pixel(12, 3), kUntouched);
}

TEST(StretchDrawDibHalftone, EnlargedPictureIsHalftonedAtItsOwnSize) {
  imaging::Image image = Numbered24(10, 10);
  MemoryDeviceContext dc(40, 40);
  dc.SetDesktopBitsPerPixel(8);
  DrawWhole(dc, *image, 20, 20);
  const auto calls = dc.CallsNamed("StretchDIBits");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(std::vector<int64_t>(calls[0].args.begin(), calls[0].args.begin() + 9),
            (std::vector<int64_t>{0, 0, 20, 20, 0, 0, 10, 10, 8}));
}

TEST(DrawDibRows24, ReductionSamplesEveryFourthColumn) {
  imaging::Image image = Numbered24(400, 1);
  MemoryDeviceContext dc(100, 1, kUntouched);
  imaging::DrawDibRows24(dc, 0, 0, 100, 1, *image, 0, 0, 400, 1);
  for (int32_t i = 0; i < 100; ++i) ASSERT_EQ(dc.Pixel(i, 0), NumberedColour(4 * i, 0)) << i;
}

TEST(DrawDibRows24, DoubledHeightDrawsEachRowTwice) {
  imaging::Image image = Numbered24(3, 4);
  MemoryDeviceContext dc(3, 8, kUntouched);
  imaging::DrawDibRows24(dc, 0, 0, 3, 8, *image, 0, 0, 3, 4);
  const auto rows = dc.CallsNamed("SetDIBitsToDevice");
  ASSERT_EQ(rows.size(), 8u);
  for (int32_t y = 0; y < 8; ++y) {
    EXPECT_EQ(rows[y].args, (std::vector<int64_t>{0, y, 3, 1, 0, 0, 0, 1, 24, 0}));
    // Output row y shows picture row y / 2 from the top: memory row 3 - y / 2.
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(dc.Pixel(x, y), NumberedColour(x, 3 - y / 2)) << x << "," << y;
  }
}

TEST(DrawDibRows24, RowsAndColumnsOutsideThePictureAreBlack) {
  imaging::Image image = Numbered24(4, 4);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) SetPixel(*image, x, y, Bgr{200, 200, 200});
  }
  MemoryDeviceContext dc(6, 6, kUntouched);
  // Source starts one column left of and one row above the picture.
  imaging::DrawDibRows24(dc, 0, 0, 6, 6, *image, -1, -1, 6, 6);
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(dc.Pixel(x, 0), 0u) << x;  // row -1
  for (int32_t y = 1; y < 5; ++y) {
    EXPECT_EQ(dc.Pixel(0, y), 0u);  // column -1
    EXPECT_EQ(dc.Pixel(1, y), 0xC8C8C8u);
    EXPECT_EQ(dc.Pixel(4, y), 0xC8C8C8u);
    EXPECT_EQ(dc.Pixel(5, y), 0u);  // column 4
  }
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(dc.Pixel(x, 5), 0u) << x;  // row 4
}

TEST(DrawDibRows24, OnlyRowsAndColumnsInsideTheClipBoxAreDrawn) {
  imaging::Image image = Numbered24(50, 40);
  MemoryDeviceContext whole(450, 360, kUntouched);
  imaging::DrawDibRows24(whole, 0, 0, 450, 360, *image, 0, 0, 50, 40);

  MemoryDeviceContext clipped(450, 360, kUntouched);
  const drawing::DeviceRect clip{100, 200, 130, 210};
  clipped.SetClipBox(clip);
  DrawDibRows24(clipped, 0, 0, 450, 360, *image, 0, 0, 50, 40);
  const auto rows = clipped.CallsNamed("SetDIBitsToDevice");
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0].args, (std::vector<int64_t>{100, 200, 30, 1, 0, 0, 0, 1, 24, 0}));
  for (int32_t y = clip.top; y < clip.bottom; ++y) {
    for (int32_t x = clip.left; x < clip.right; ++x) ASSERT_EQ(clipped.Pixel(x, y), whole.Pixel(x, y));
  }
}

TEST(DrawDibRows24, HugeZoomCostsOnlyTheVisibleRows) {
  // 9000 % of a 2000 x 1500 picture: products beyond 32 bits.
  imaging::Image image = Numbered24(2000, 1500);
  MemoryDeviceContext dc(16, 10, kUntouched);
  dc.SetClipBox(drawing::DeviceRect{0, 0, 16, 10});
  const int32_t x = -90 * 1700;
  const int32_t y = -90 * 1200;
  imaging::DrawDibRows24(dc, x, y, 90 * 2000, 90 * 1500, *image, 0, 0, 2000, 1500);
  EXPECT_EQ(dc.CallsNamed("SetDIBitsToDevice").size(), 10u);
  EXPECT_EQ(dc.Pixel(0, 0), NumberedColour(1700, 1500 - 1 - 1200));
  EXPECT_EQ(dc.Pixel(15, 9), NumberedColour(1700, 1500 - 1 - 1200));
}

TEST(DrawDibRows8, CopiesIndicesWithTheWholeColourTable) {
  imaging::Image image = Make(4, 2, 8);
  imaging::RasterImage& picture = *image;
  picture.Info->bmiColors[0] = RGBQUAD{0, 0, 255, 0};  // index 0 is red
  picture.Info->bmiColors[200] = RGBQUAD{1, 2, 3, 0};
  Row(picture, 1)[0] = 200;  // top row, first column
  Row(picture, 1)[1] = 7;
  MemoryDeviceContext dc(4, 3, kUntouched);
  // One row past the bottom of the picture: drawn with colour index 0.
  imaging::DrawDibRows8(dc, 0, 0, 4, 3, picture, 0, 0, 4, 3);
  EXPECT_EQ(dc.CallsNamed("SetDIBitsToDevice").at(0).args[8], 8);
  EXPECT_EQ(dc.Pixel(0, 0), 0x030201u);
  EXPECT_EQ(dc.Pixel(1, 0), 0x070E15u);
  for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(dc.Pixel(x, 2), 0xFF0000u);
}

TEST(StretchDrawDibRows, WholePictureLandsUprightOnTheDisplay) {
  imaging::Image image = Numbered24(5, 4);
  MemoryDeviceContext dc(5, 4, kUntouched);
  DrawWhole(dc, *image, 5, 4);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(dc.Pixel(x, y), NumberedColour(x, 3 - y));
  }
}
