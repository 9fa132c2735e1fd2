// Creating, freeing and addressing images. The codecs live in their own files.
#include "imaging/Rastola.h"

#include <cstdlib>
#include <cstring>

#include "imaging/DecodeBudget.h"
#include "imaging/PixelPool.h"

namespace imaging {

namespace {

bool ValidDepth(int32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Palette images carry a logical palette built from their colour table.
HPALETTE MakePalette(const BITMAPINFO& info, int32_t count) {
  auto* palette = static_cast<LogicalPalette*>(std::calloc(1, sizeof(LogicalPalette)));
  if (!palette) return nullptr;
  palette->count = count;
  for (int32_t i = 0; i < count; ++i) {
    const RGBQUAD& q = info.bmiColors[i];
    palette->entries[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
  }
  return palette;
}

}  // namespace

void newdib(Image* image, int32_t width, int32_t height, int32_t bitsPerPixel, const BITMAPINFO* colourSource,
            int32_t colourCount) {
  image->reset();
  if (width < 1 || height < 1 || !ValidDepth(bitsPerPixel)) return;
  if (colourCount < 0 || colourCount > 256 || (colourCount > 0 && !colourSource)) return;
  const int64_t stride = DibStride(width, bitsPerPixel);
  const int64_t bytes = stride * height;
  if (int64_t{width} * height > kMaxPixels || bytes >= kMaxPixelBytes) return;

  AdmitDecodeMemory(static_cast<uint64_t>(bytes));
  auto* info = static_cast<BITMAPINFO*>(std::calloc(1, sizeof(BITMAPINFO)));
  uint8_t* pixels = TakePixelBlock(static_cast<size_t>(bytes));
  if (!info || !pixels) {
    std::free(info);
    GivePixelBlock(pixels);
    return;
  }
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bitsPerPixel);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<uint32_t>(bytes);
  h.biClrUsed = static_cast<uint32_t>(colourCount);
  if (colourCount > 0) std::memcpy(info->bmiColors, colourSource->bmiColors, sizeof(RGBQUAD) * colourCount);

  RasterImage* out = &**image;
  out->Info = info;
  out->Allocation = 1;
  out->Pixels = pixels;
  out->Stride = static_cast<int32_t>(stride);
  for (int32_t i = 0; i < colourCount; ++i) {
    const RGBQUAD& q = info->bmiColors[i];
    out->Colours[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
  }
  if (bitsPerPixel <= 8 && colourCount > 0) {
    out->PaletteHandle = MakePalette(*info, colourCount);
    out->HasPalette = out->PaletteHandle ? 1 : 0;
  }
}

void Image::reset() {
  std::free(record_.Info);
  GivePixelBlock(record_.Pixels);
  std::free(record_.PaletteHandle);
  record_ = EmptyRasterImage();
}

namespace {

// Byte and bit position of a pixel, or nullptr outside the picture.
uint8_t* PixelAddress(const RasterImage& image, int32_t x, int32_t y) {
  if (!image.Pixels || !image.Info) return nullptr;
  const BITMAPINFOHEADER& h = image.Info->bmiHeader;
  if (x < 0 || y < 0 || x >= h.biWidth || y >= h.biHeight) return nullptr;
  return image.Pixels + int64_t{y} * image.Stride + (int64_t{x} * h.biBitCount) / 8;
}

}  // namespace

uint32_t getpixel(const RasterImage& image, int32_t x, int32_t y) {
  const uint8_t* p = PixelAddress(image, x, y);
  if (!p) return 0;
  switch (image.Info->bmiHeader.biBitCount) {
    case 1:
      return (*p >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (*p & 15) : (*p >> 4);
    case 8:
      return *p;
    case 16:
      return uint32_t{p[0]} | (uint32_t{p[1]} << 8);
    case 24:
      return uint32_t{p[2]} | (uint32_t{p[1]} << 8) | (uint32_t{p[0]} << 16);
    case 32:
      return uint32_t{p[2]} | (uint32_t{p[1]} << 8) | (uint32_t{p[0]} << 16) | (uint32_t{p[3]} << 24);
  }
  return 0;
}

void setpixel(const RasterImage& image, int32_t x, int32_t y, uint32_t value) {
  uint8_t* p = PixelAddress(image, x, y);
  if (!p) return;
  switch (image.Info->bmiHeader.biBitCount) {
    case 1: {
      const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
      *p = (value & 1) ? (*p | mask) : (*p & ~mask);
      break;
    }
    case 4:
      *p = (x & 1) ? static_cast<uint8_t>((*p & 0xF0) | (value & 15))
                   : static_cast<uint8_t>((*p & 0x0F) | ((value & 15) << 4));
      break;
    case 8:
      *p = static_cast<uint8_t>(value);
      break;
    case 16:
      p[0] = static_cast<uint8_t>(value);
      p[1] = static_cast<uint8_t>(value >> 8);
      break;
    case 32:
      p[3] = static_cast<uint8_t>(value >> 24);
      [[fallthrough]];
    case 24:
      p[0] = static_cast<uint8_t>(value >> 16);
      p[1] = static_cast<uint8_t>(value >> 8);
      p[2] = static_cast<uint8_t>(value);
      break;
  }
}

}  // namespace imaging
