#pragma once
// The in-memory picture: a Windows device-independent bitmap described by a
// plain record that is passed by value. Copying the record makes an alias;
// exactly one holder frees the image with deldib.
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

struct RasterImage {
  BITMAPINFO* Info;
  uint32_t Allocation;  // non-zero when the library allocated the image
  uint32_t Reserved1;
  uint8_t* Pixels;      // nil when the record holds no image
  int32_t Stride;       // bytes from one memory row to the next
  uint8_t HasPalette;   // 1: select PaletteHandle before drawing
  uint8_t Reserved2[5];
  union {
    PALETTEENTRY Colours[256];  // red, green, blue, spare
    char ErrorText[1024];       // after a failed OpenDib
  };
  uint8_t Reserved3[2];
  HPALETTE PaletteHandle;
  uint8_t Reserved4[28];
};

static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBQUAD) == 4 && sizeof(PALETTEENTRY) == 4);
static_assert(sizeof(RasterImage::Colours) == 1024 && sizeof(RasterImage::ErrorText) == 1024);
static_assert(offsetof(RasterImage, Colours) == offsetof(RasterImage, ErrorText));
static_assert(offsetof(BITMAPINFOHEADER, biWidth) == 4 && offsetof(BITMAPINFOHEADER, biHeight) == 8 &&
              offsetof(BITMAPINFOHEADER, biBitCount) == 14 && offsetof(BITMAPINFOHEADER, biSizeImage) == 20);

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

// Row size Windows expects: width * bits, padded to 32 bits, in bytes.
inline int64_t DibStride(int64_t width, int64_t bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }
