#include <gtest/gtest.h>

#include <array>
#include <string>

#include "imaging/codecs/ExifOrientation.h"
#include "imaging/codecs/JpegWriter.h"
#include "support/ImagingFixtures.h"
#include "support/TempFolder.h"

namespace {

// An EXIF payload with one IFD entry; `bigEndian` picks the byte order.
std::string Payload(uint16_t tag, uint16_t type, uint16_t value, bool bigEndian) {
  auto u16 = [&](uint16_t v) {
    return bigEndian ? std::string{char(v >> 8), char(v & 255)} : std::string{char(v & 255), char(v >> 8)};
  };
  auto u32 = [&](uint32_t v) {
    return bigEndian ? u16(uint16_t(v >> 16)) + u16(uint16_t(v)) : u16(uint16_t(v)) + u16(uint16_t(v >> 16));
  };
  std::string tiff = bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
  tiff += u32(8) + u16(1) + u16(tag) + u16(type) + u32(1) + u16(value) + u16(0) + u32(0);
  return std::string("Exif\0\0", 6) + tiff;
}

int Orientation(const std::string& payload) {
  return imaging::codecs::ExifOrientation(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
}

TEST(ExifOrientation, ReadsTheTagInBothByteOrders) {
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 6, false)), 6);
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 8, true)), 8);
}

TEST(ExifOrientation, AnythingMalformedMeansUpright) {
  EXPECT_EQ(Orientation(Payload(0x0110, 3, 6, false)), 1) << "other tag";
  EXPECT_EQ(Orientation(Payload(0x0112, 4, 6, false)), 1) << "wrong type";
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 9, false)), 1) << "value out of range";
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 0, false)), 1) << "value out of range";
  std::string cut = Payload(0x0112, 3, 6, false);
  EXPECT_EQ(Orientation(cut.substr(0, cut.size() - 10)), 1) << "entry cut off";
  std::string farIfd = Payload(0x0112, 3, 6, false);
  farIfd[10] = '\xF0';  // IFD offset far beyond the payload
  EXPECT_EQ(Orientation(farIfd), 1);
  std::string manyEntries = Payload(0x0112, 3, 6, false);
  manyEntries[15] = '\xFF';  // claims 65281 entries
  manyEntries[14] = '\x01';
  EXPECT_EQ(Orientation(manyEntries.substr(0, 20)), 1);
  EXPECT_EQ(Orientation("Exif"), 1);
  EXPECT_EQ(Orientation(std::string("JFIF\0\0II*\0\10\0\0\0", 14)), 1);
}

// Where each corner of the stored picture (0 top left, 1 top right, 2 bottom
// left, 3 bottom right) ends up once the picture is upright, by orientation.
struct Turn {
  int orientation;
  bool swapsSides;
  std::array<int, 4> corners;  // stored corner shown at top left, top right, bottom left, bottom right
};
constexpr Turn kTurns[] = {
    {1, false, {0, 1, 2, 3}},  // upright
    {2, false, {1, 0, 3, 2}},  // mirrored left to right
    {3, false, {3, 2, 1, 0}},  // turned half round
    {4, false, {2, 3, 0, 1}},  // mirrored top to bottom
    {5, true, {0, 2, 1, 3}},   // mirrored along the falling diagonal
    {6, true, {2, 0, 3, 1}},   // lying on its left side: turned clockwise
    {7, true, {3, 1, 2, 0}},   // mirrored along the rising diagonal
    {8, true, {1, 3, 0, 2}},   // lying on its right side: turned anticlockwise
};

// Picture corners (x, y from the top left) of a width x height picture.
std::array<std::array<int, 2>, 4> Corners(int width, int height, int inset) {
  const int right = width - 1 - inset, bottom = height - 1 - inset;
  return {{{inset, inset}, {right, inset}, {inset, bottom}, {right, bottom}}};
}

TEST(ApplyOrientation, EveryOrientationPutsEachCornerPixelInPlace) {
  constexpr int kW = 5, kH = 3;
  for (int bits : {8, 24}) {
    for (const Turn& t : kTurns) {
      SCOPED_TRACE(testing::Message() << bits << "-bit, orientation " << t.orientation);
      BITMAPINFO grey{};
      for (int i = 0; i < 256; ++i) grey.bmiColors[i] = RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
      imaging::Image guard;
      imaging::newdib(&guard, kW, kH, bits, &grey, bits == 8 ? 256 : 0);
      const imaging::RasterImage& image = *guard;
      // Every pixel distinct: 10 * x + y + 1, from the top.
      for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
          imaging::setpixel(image, x, kH - 1 - y, uint32_t(10 * x + y + 1) * (bits == 8 ? 1 : 0x010101));
        }
      }
      imaging::codecs::ApplyOrientation(guard, t.orientation);
      const imaging::RasterImage& upright = *guard;
      ASSERT_EQ(imaging::DibWidth(upright), t.swapsSides ? kH : kW);
      ASSERT_EQ(imaging::DibHeight(upright), t.swapsSides ? kW : kH);
      const auto stored = Corners(kW, kH, 0);
      const auto shown = Corners(imaging::DibWidth(upright), imaging::DibHeight(upright), 0);
      for (int c = 0; c < 4; ++c) {
        const auto [sx, sy] = stored[size_t(t.corners[size_t(c)])];
        const auto [x, y] = shown[size_t(c)];
        EXPECT_EQ(fixtures::PixelAt(upright, x, y).g, 10 * sx + sy + 1) << "corner " << c;
      }
    }
  }
}

// A 64 x 32 JPEG of four coloured quadrants (aligned to the 16 x 16 blocks,
// so colours stay clean) with an EXIF block carrying `orientation`.
std::string QuadrantJpeg(int orientation) {
  // Red, green, blue, yellow; 24-bit values hold red in the low byte.
  constexpr uint32_t kQuadrants[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
  imaging::Image guard;
  imaging::newdib(&guard, 64, 32, 24, nullptr, 0);
  const imaging::RasterImage& image = *guard;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) imaging::setpixel(image, x, 31 - y, kQuadrants[(y >= 16) * 2 + (x >= 32)]);
  }
  imaging::codecs::ProgressMeter progress(nullptr);
  imaging::codecs::JpegBuffer jpeg;
  EXPECT_TRUE(imaging::codecs::EncodeJpeg(image, progress, jpeg));
  const std::string payload = Payload(0x0112, 3, uint16_t(orientation), orientation % 2 == 0);
  const size_t length = payload.size() + 2;
  const std::string app1 = std::string("\xFF\xE1", 2) + char(length >> 8) + char(length & 255) + payload;
  const std::string bytes(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
  return bytes.substr(0, 2) + app1 + bytes.substr(2);
}

TEST(JpegOrientation, EveryOrientationShowsEachQuadrantInItsCorner) {
  const fixtures::Rgb kColours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
  TempFolder folder;
  for (const Turn& t : kTurns) {
    SCOPED_TRACE(testing::Message() << "orientation " << t.orientation);
    const std::string path = folder.Path("turn-" + std::to_string(t.orientation) + ".jpg");
    const std::string bytes = QuadrantJpeg(t.orientation);
    fixtures::WriteBytes(path, std::vector<char>(bytes.begin(), bytes.end()));
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, path);
    ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
    const int width = imaging::DibWidth(image), height = DibHeight(image);
    ASSERT_EQ(width, t.swapsSides ? 32 : 64);
    ASSERT_EQ(height, t.swapsSides ? 64 : 32);
    // The middle of each quadrant: a quarter of the way in from each corner.
    const auto points = Corners(width, height, 0);
    for (int c = 0; c < 4; ++c) {
      const int x = points[size_t(c)][0] == 0 ? width / 4 : width - 1 - width / 4;
      const int y = points[size_t(c)][1] == 0 ? height / 4 : height - 1 - height / 4;
      const fixtures::Rgb want = kColours[t.corners[size_t(c)]];
      const fixtures::Rgb got = fixtures::PixelAt(image, x, y);
      EXPECT_NEAR(got.r, want.r, 40) << "corner " << c;
      EXPECT_NEAR(got.g, want.g, 40) << "corner " << c;
      EXPECT_NEAR(got.b, want.b, 40) << "corner " << c;
    }
  }
}

}  // namespace
