// Promotion of 1-, 4- and 8-bit pictures to 24 bits, for export as JPEG.
#include "imaging/DepthPromotion.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/DecodeBudget.h"
#include "imaging/Nibble.h"
#include "imaging/PixelPool.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// The record of a palette picture now holding 24-bit rows in `pixels`: a
// 24-bit header, no colour table, no palette, as newdib makes it.
void BecomeTwentyFourBit(RasterImage& image, uint8_t* pixels, int64_t stride) {
  BITMAPINFOHEADER& h = image.Info->bmiHeader;
  h.biBitCount = 24;
  h.biSizeImage = static_cast<uint32_t>(stride * h.biHeight);
  h.biClrUsed = 0;
  h.biClrImportant = 0;
  std::memset(image.Info->bmiColors, 0, sizeof image.Info->bmiColors);
  std::free(image.PaletteHandle);
  image.PaletteHandle = nullptr;
  image.HasPalette = 0;
  std::memset(image.Colours, 0, sizeof image.Colours);
  image.Pixels = pixels;
  image.Stride = static_cast<int32_t>(stride);
}

// 1-bit pictures are read only through the library: 0 is black, all else white.
void PromoteOneBit(const RasterImage& image, const RasterImage& target, int32_t width, int32_t height) {
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      setpixel(target, x, y, getpixel(image, x, y) == 0 ? 0 : kWhite);
    }
  }
}

// Colours come from the record's own table; every index has an entry. The
// picture grows in place: its pixel block is enlarged to the 24-bit size and
// the rows are spread out from the last byte backwards (last row first, each
// from its last pixel), so every source byte is read before a target byte
// lands on it. Peak: the 24-bit picture alone, not both pictures at once.
bool PromotePaletteInPlace(RasterImage& image, int32_t width, int32_t height, int32_t bits) {
  const int64_t oldStride = image.Stride;
  const int64_t stride = DibStride(width, 24);
  const auto bytes = static_cast<uint64_t>(stride * height);
  if (width * int64_t{height} > kMaxPixels || bytes >= uint64_t(kMaxPixelBytes)) return false;
  AdmitDecodeMemory(bytes - image.Info->bmiHeader.biSizeImage);
  uint8_t* pixels = GrowPixelBlock(image.Pixels, bytes);
  if (!pixels) return false;
  for (int32_t y = height - 1; y >= 0; --y) {
    const uint8_t* source = pixels + y * oldStride;
    uint8_t* out = pixels + y * stride;
    for (int32_t x = width - 1; x >= 0; --x) {
      const PALETTEENTRY& colour = image.Colours[bits == 8 ? source[x] : NibbleAt(source, x)];
      out[3 * x + 2] = colour.peRed;
      out[3 * x + 1] = colour.peGreen;
      out[3 * x] = colour.peBlue;
    }
    std::memset(out + 3 * int64_t{width}, 0, size_t(stride - 3 * int64_t{width}));  // row padding
  }
  BecomeTwentyFourBit(image, pixels, stride);
  return true;
}

}  // namespace

void DepthUpTo24(Image& image) {
  if (!image || !image->Info) return;
  const int32_t bits = static_cast<int32_t>(DibBitCount(*image));
  // Other depths are returned as they are; no point allocating a target first.
  if (bits != 1 && bits != 4 && bits != 8) return;
  const int32_t width = DibWidth(*image);
  const int32_t height = DibHeight(*image);

  if (bits != 1) {
    PromotePaletteInPlace(*image, width, height, bits);
    return;
  }
  // A 1-bit picture is a 24th of its promoted size: a second image costs little.
  Image target;
  newdib(&target, width, height, 24, nullptr, 0);
  if (!target) return;
  PromoteOneBit(*image, *target, width, height);
  image = std::move(target);
}

}  // namespace imaging
