#pragma once
// The in-memory picture: a Windows device-independent bitmap described by a
// plain record. An Image (Image.h) owns it; others see it by reference.
#include <cstddef>
#include <cstdint>

#include "drawing/Dib.h"

namespace imaging {

struct RasterImage {
  BITMAPINFO* Info;
  uint32_t Allocation;  // non-zero when the library allocated the image
  uint32_t Reserved1;
  uint8_t* Pixels;     // nil when the record holds no image
  int32_t Stride;      // bytes from one memory row to the next
  uint8_t HasPalette;  // 1: select PaletteHandle before drawing
  uint8_t Reserved2[5];
  union {
    PALETTEENTRY Colours[256];  // red, green, blue, spare
    char ErrorText[1024];       // after a failed OpenDib
  };
  uint8_t Reserved3[2];
  HPALETTE PaletteHandle;
  uint8_t Reserved4[28];
};

static_assert(sizeof(RasterImage::Colours) == 1024 && sizeof(RasterImage::ErrorText) == 1024);
static_assert(offsetof(RasterImage, Colours) == offsetof(RasterImage, ErrorText));

// An empty record: no image, no error text.
inline RasterImage EmptyRasterImage() { return RasterImage{}; }

inline int32_t DibWidth(const RasterImage& image) { return image.Info->bmiHeader.biWidth; }
inline int32_t DibHeight(const RasterImage& image) { return image.Info->bmiHeader.biHeight; }
inline uint32_t DibBitCount(const RasterImage& image) { return image.Info->bmiHeader.biBitCount; }

// 2^n by doubling in 32 bits (so 32 gives 0); 1 for n <= 0.
inline uint32_t PowerOfTwo(int32_t n) {
  uint32_t result = 1;
  for (int32_t i = 0; i < n; ++i) result *= 2;
  return result;
}

inline uint32_t DibColourCount(const RasterImage& image) {
  return PowerOfTwo(static_cast<int32_t>(DibBitCount(image)));
}

}  // namespace imaging
