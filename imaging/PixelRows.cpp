#include "imaging/PixelRows.h"

#include <cstring>

#include "drawing/DibPixels.h"

namespace imaging {

bool HasReadableRows(const RasterImage& image) {
  if (!image.Info || !image.Pixels) return false;
  const BITMAPINFOHEADER& h = image.Info->bmiHeader;
  const int bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (h.biCompression != BI_RGB) return false;
  if (h.biWidth < 1 || h.biHeight < 1 || image.Stride < DibStride(h.biWidth, bits)) return false;
  return int64_t{image.Stride} * h.biHeight <= int64_t{h.biSizeImage};
}

void RowToBgr(const RasterImage& image, int32_t memoryRow, uint8_t* bgr) {
  const int32_t width = DibWidth(image);
  const uint8_t* row = image.Pixels + int64_t{memoryRow} * image.Stride;
  if (DibBitCount(image) == 24) {
    std::memcpy(bgr, row, size_t(width) * 3);
    return;
  }
  // The other depths are decoded the way the device contexts read them,
  // one scan line starting at this row.
  const drawing::DibReader line(image.Info, row, 1);
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t rgb = line.Rgb(x, 0);
    bgr[3 * x] = static_cast<uint8_t>(rgb);
    bgr[3 * x + 1] = static_cast<uint8_t>(rgb >> 8);
    bgr[3 * x + 2] = static_cast<uint8_t>(rgb >> 16);
  }
}

}  // namespace imaging
