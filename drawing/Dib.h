#pragma once
// The Windows bitmap structures: device-independent bitmap header, colour
// table and logical palette. Shared by the image library and the device
// contexts that draw its pictures.
#include <cstddef>
#include <cstdint>

struct BITMAPINFOHEADER {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // positive: rows stored bottom-up
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;  // bytes of pixel memory
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};

struct RGBQUAD {
  uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

// Always allocated with room for 256 colour entries.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};

struct PALETTEENTRY {
  uint8_t peRed, peGreen, peBlue, peFlags;
};

// A logical palette owned by an image; what HPALETTE points at.
struct LogicalPalette {
  int32_t count;
  PALETTEENTRY entries[256];
};
using HPALETTE = LogicalPalette*;

inline constexpr uint32_t BI_RGB = 0;

// Row size Windows expects: width * bits, padded to 32 bits, in bytes.
inline int64_t DibStride(int64_t width, int64_t bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBQUAD) == 4 && sizeof(PALETTEENTRY) == 4);
static_assert(offsetof(BITMAPINFOHEADER, biWidth) == 4 && offsetof(BITMAPINFOHEADER, biHeight) == 8 &&
              offsetof(BITMAPINFOHEADER, biBitCount) == 14 && offsetof(BITMAPINFOHEADER, biSizeImage) == 20);
