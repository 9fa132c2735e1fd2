#include "imaging/PixelRows.h"

#include <cstring>

namespace {

void Put(uint8_t* bgr, const RGBQUAD& colour) {
  bgr[0] = colour.rgbBlue;
  bgr[1] = colour.rgbGreen;
  bgr[2] = colour.rgbRed;
}

uint8_t Widen5(unsigned value) { return static_cast<uint8_t>((value << 3) | (value >> 2)); }

}  // namespace

bool HasReadableRows(const RasterImage& image) {
  if (!image.Info || !image.Pixels) return false;
  const BITMAPINFOHEADER& h = image.Info->bmiHeader;
  const int bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (h.biWidth < 1 || h.biHeight < 1 || image.Stride < DibStride(h.biWidth, bits)) return false;
  return int64_t{image.Stride} * h.biHeight <= int64_t{h.biSizeImage};
}

void RowToBgr(const RasterImage& image, int32_t memoryRow, uint8_t* bgr) {
  const BITMAPINFOHEADER& h = image.Info->bmiHeader;
  const RGBQUAD* table = image.Info->bmiColors;
  const uint8_t* row = image.Pixels + int64_t{memoryRow} * image.Stride;
  const int32_t width = h.biWidth;
  switch (h.biBitCount) {
    case 1:
      for (int32_t x = 0; x < width; ++x) Put(bgr + 3 * x, table[(row[x >> 3] >> (7 - (x & 7))) & 1]);
      break;
    case 4:
      for (int32_t x = 0; x < width; ++x) Put(bgr + 3 * x, table[(x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4)]);
      break;
    case 8:
      for (int32_t x = 0; x < width; ++x) Put(bgr + 3 * x, table[row[x]]);
      break;
    case 16:
      for (int32_t x = 0; x < width; ++x) {
        const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        bgr[3 * x] = Widen5(v & 31);
        bgr[3 * x + 1] = Widen5((v >> 5) & 31);
        bgr[3 * x + 2] = Widen5((v >> 10) & 31);
      }
      break;
    case 24:
      std::memcpy(bgr, row, size_t(width) * 3);
      break;
    case 32:
      for (int32_t x = 0; x < width; ++x) std::memcpy(bgr + 3 * x, row + 4 * x, 3);
      break;
  }
}
