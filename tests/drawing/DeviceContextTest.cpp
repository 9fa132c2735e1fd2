#include <gtest/gtest.h>

#include <array>

#include "drawing/DibPixels.h"
#include "support/MemoryDeviceContext.h"

using namespace drawing;

namespace {

// A 2 x 3 bottom-up 24-bit DIB whose pixel (x, row) is 0x00RR0000 + x, RR the row.
struct SmallDib {
  SmallDib() {
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 3, 1, 24, BI_RGB, 24, 0, 0, 0, 0};
    for (int row = 0; row < 3; ++row) {
      for (int x = 0; x < 2; ++x) {
        uint8_t* p = bits.data() + row * 8 + x * 3;
        p[0] = static_cast<uint8_t>(x);
        p[2] = static_cast<uint8_t>(0x10 * (row + 1));
      }
    }
  }
  static uint32_t Colour(int x, int row) { return (uint32_t(0x10 * (row + 1)) << 16) | uint32_t(x); }
  BITMAPINFO info{};
  std::array<uint8_t, 24> bits{};
};

}  // namespace

TEST(ScreenBitsPerPixel, ReplaceableAndRestoredByTheMemoryDevice) {
  EXPECT_EQ(ScreenBitsPerPixel(), 32);
  {
    MemoryDeviceContext dc(1, 1);
    dc.SetDesktopBitsPerPixel(8);
    dc.SetDesktopBitsPerPixel(4);
    EXPECT_EQ(ScreenBitsPerPixel(), 4);
  }
  EXPECT_EQ(ScreenBitsPerPixel(), 32);
  const ScreenDepthQuery previous = SetScreenBitsPerPixelQuery([] { return 16; });
  EXPECT_EQ(ScreenBitsPerPixel(), 16);
  SetScreenBitsPerPixelQuery(previous);
  EXPECT_EQ(ScreenBitsPerPixel(), 32);
}

TEST(DibReader, SixteenBitPixelsAreFiveFiveFive) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 1, 1, 16, BI_RGB, 4, 0, 0, 0, 0};
  // Red 31, green 0, blue 1; then green 16 only.
  const std::array<uint8_t, 4> bits{0x01, 0x7C, 0x00, 0x02};
  const DibReader dib(&info, bits.data(), 1);
  ASSERT_TRUE(dib.Valid());
  EXPECT_EQ(dib.Rgb(0, 0), 0xFF0008u);
  EXPECT_EQ(dib.Rgb(1, 0), 0x008400u);
}

TEST(DibReader, RefusesWhatItCannotRead) {
  BITMAPINFO info{};
  const std::array<uint8_t, 4> bits{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 1, 1, 24, 1 /* RLE8 */, 4, 0, 0, 0, 0};
  EXPECT_FALSE(DibReader(&info, bits.data(), 1).Valid());
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biBitCount = 2;
  EXPECT_FALSE(DibReader(&info, bits.data(), 1).Valid());
  info.bmiHeader.biBitCount = 24;
  EXPECT_FALSE(DibReader(&info, nullptr, 1).Valid());
  EXPECT_FALSE(DibReader(nullptr, bits.data(), 1).Valid());
}

TEST(MemoryDeviceContext, SetDIBitsToDeviceDrawsOnlyTheLinesHeld) {
  SmallDib dib;
  MemoryDeviceContext dc(2, 3, 0xABCDEF);
  // The buffer holds scan lines 1 and 2 (its memory starts at line 1).
  EXPECT_EQ(dc.SetDIBitsToDevice(0, 0, 2, 3, 0, 0, 1, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(dc.Pixel(1, 0), SmallDib::Colour(1, 1));  // line 2, the second held
  EXPECT_EQ(dc.Pixel(0, 1), SmallDib::Colour(0, 0));  // line 1, the first held
  EXPECT_EQ(dc.Pixel(0, 2), 0xABCDEFu);               // line 0 is not held
}

TEST(MemoryDeviceContext, DrawingStaysInsideTheSurfaceAndClipBox) {
  SmallDib dib;
  MemoryDeviceContext dc(3, 3, 0xABCDEF);
  dc.SetClipBox(DeviceRect{1, 0, 3, 3});
  dc.StretchDIBits(-1, -1, 4, 6, 0, 0, 2, 3, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(dc.Pixel(0, 0), 0xABCDEFu);
  EXPECT_EQ(dc.Pixel(1, 0), SmallDib::Colour(1, 2));
  EXPECT_EQ(dc.Pixel(2, 2), SmallDib::Colour(1, 1));
}

TEST(CompatibleBitmap, StoresScanLineZeroAtTheBottom) {
  SmallDib dib;
  auto bitmap = MakeCompatibleBitmap(2, 3);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(StoreDibInBitmap(*bitmap, 0, 3, dib.bits.data(), &dib.info), 3);
  EXPECT_EQ(bitmap->pixels[0], SmallDib::Colour(0, 2));
  EXPECT_EQ(bitmap->pixels[5], SmallDib::Colour(1, 0));
  EXPECT_FALSE(MakeCompatibleBitmap(0, 3));
  EXPECT_FALSE(MakeCompatibleBitmap(1 << 15, 1 << 15));
}
