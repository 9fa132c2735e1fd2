#pragma once
// Small pictures built in memory for the picture-routine tests.
#include <cstdint>
#include <vector>

#include "imaging/Rastola.h"

namespace testimages {

// A picture of the given depth with a colour table whose entry i is
// (red i, green 2i, blue 3i), mirrored into the record's Colours.
inline imaging::Image Make(int32_t width, int32_t height, int32_t bits) {
  BITMAPINFO colours{};
  for (int i = 0; i < 256; ++i) {
    colours.bmiColors[i] =
        RGBQUAD{static_cast<uint8_t>(3 * i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(i), 0};
  }
  imaging::Image image;
  imaging::newdib(&image, width, height, bits, &colours, bits <= 8 ? (1 << bits) : 0);
  return image;
}

inline uint8_t* Row(const imaging::RasterImage& image, int32_t memoryRow) {
  return image.Pixels + int64_t{memoryRow} * image.Stride;
}

// 24-bit pixel bytes in memory order blue, green, red.
struct Bgr {
  uint8_t b, g, r;
  bool operator==(const Bgr&) const = default;
};

inline Bgr PixelAt(const imaging::RasterImage& image, int32_t x, int32_t memoryRow) {
  const uint8_t* p = Row(image, memoryRow) + 3 * x;
  return Bgr{p[0], p[1], p[2]};
}

inline void SetPixel(const imaging::RasterImage& image, int32_t x, int32_t memoryRow, Bgr colour) {
  uint8_t* p = Row(image, memoryRow) + 3 * x;
  p[0] = colour.b;
  p[1] = colour.g;
  p[2] = colour.r;
}

// A 24-bit picture whose pixel (x, row) encodes its own position.
inline imaging::Image Numbered24(int32_t width, int32_t height) {
  imaging::Image image = Make(width, height, 24);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      SetPixel(*image, x, y, Bgr{static_cast<uint8_t>(x), static_cast<uint8_t>(x >> 8), static_cast<uint8_t>(y)});
    }
  }
  return image;
}

// The device colour 0x00RRGGBB of a numbered picture's pixel.
inline uint32_t NumberedColour(int32_t x, int32_t memoryRow) {
  return (uint32_t(memoryRow & 255) << 16) | (uint32_t((x >> 8) & 255) << 8) | uint32_t(x & 255);
}

// Fill of a device surface, so pixels nobody drew can be told from black.
inline constexpr uint32_t kUntouched = 0x00FF00FF;

inline std::vector<uint8_t> PixelBytes(const imaging::RasterImage& image) {
  return std::vector<uint8_t>(image.Pixels, image.Pixels + image.Info->bmiHeader.biSizeImage);
}

}  // namespace testimages
