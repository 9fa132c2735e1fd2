// Halftoned copies for palette displays: an ordered (Bayer) dither to a fixed
// palette of a 6 x 6 x 6 colour cube plus a grey ramp.
#include <cstdlib>

#include "imaging/PixelRows.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

constexpr int kLevels = 6;  // per channel: 0, 51, 102, 153, 204, 255
constexpr int kCubeSize = kLevels * kLevels * kLevels;

constexpr uint8_t kBayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                  {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                  {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                  {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

const BITMAPINFO& HalftonePalette() {
  static const BITMAPINFO palette = [] {
    BITMAPINFO info{};
    for (int i = 0; i < kCubeSize; ++i) {
      const auto level = [](int n) { return static_cast<uint8_t>(n * 255 / (kLevels - 1)); };
      // Index = red + 6 * green + 36 * blue.
      info.bmiColors[i] = RGBQUAD{level(i / (kLevels * kLevels)), level(i / kLevels % kLevels), level(i % kLevels), 0};
    }
    // The remaining entries: greys between the cube's own, for a fuller palette.
    for (int i = kCubeSize; i < 256; ++i) {
      const auto grey = static_cast<uint8_t>((i - kCubeSize + 1) * 255 / (256 - kCubeSize + 1));
      info.bmiColors[i] = RGBQUAD{grey, grey, grey, 0};
    }
    return info;
  }();
  return palette;
}

// One channel rounded up or down to a cube level by the dither threshold.
int Dither(unsigned value, int threshold) {
  const unsigned scaled = value * (kLevels - 1);
  const int level = static_cast<int>(scaled / 255);
  return (static_cast<int>(scaled % 255) * 64 > threshold * 255 + 127) ? level + 1 : level;
}

void HalftoneScaled(Image* out, const RasterImage& image, int32_t width, int32_t height) {
  out->reset();
  if (width < 1 || height < 1 || !HasReadableRows(image)) return;
  const int64_t sourceW = DibWidth(image), sourceH = DibHeight(image);
  auto* bgr = static_cast<uint8_t*>(std::malloc(size_t(sourceW) * 3));
  if (!bgr) return;
  newdib(out, width, height, 8, &HalftonePalette(), 256);
  if (!*out) {
    std::free(bgr);
    return;
  }
  int64_t loadedRow = -1;
  for (int32_t y = 0; y < height; ++y) {
    const int64_t sourceRow = y * sourceH / height;
    if (sourceRow != loadedRow) RowToBgr(image, static_cast<int32_t>(sourceRow), bgr);
    loadedRow = sourceRow;
    uint8_t* target = (*out)->Pixels + int64_t{y} * (*out)->Stride;
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* p = bgr + 3 * (x * sourceW / width);
      const int threshold = kBayer[y & 7][x & 7];
      target[x] = static_cast<uint8_t>(Dither(p[2], threshold) + kLevels * Dither(p[1], threshold) +
                                       kLevels * kLevels * Dither(p[0], threshold));
    }
  }
  std::free(bgr);
}

}  // namespace

void DIBHalftoneDIB(Image* out, const RasterImage& image) {
  if (!HasReadableRows(image)) {
    out->reset();
    return;
  }
  HalftoneScaled(out, image, DibWidth(image), DibHeight(image));
}

void DIBHalftoneDIBXY(Image* out, const RasterImage& image, int32_t width, int32_t height) {
  HalftoneScaled(out, image, width, height);
}

}  // namespace imaging
