// Promotion of 1-, 4- and 8-bit pictures to 24 bits, for export as JPEG.
#include "imaging/DepthPromotion.h"

#include "imaging/Nibble.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// 1-bit pictures are read only through the library: 0 is black, all else white.
void PromoteOneBit(const RasterImage& image, const RasterImage& target, int32_t width, int32_t height) {
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      setpixel(target, x, y, getpixel(image, x, y) == 0 ? 0 : kWhite);
    }
  }
}

// Colours come from the record's own table; every index has an entry.
void PromotePalette(const RasterImage& image, const RasterImage& target, int32_t width, int32_t height,
                    int32_t bits) {
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* source = image.Pixels + int64_t{y} * image.Stride;
    uint8_t* out = target.Pixels + int64_t{y} * target.Stride;
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t index = bits == 8 ? source[x] : NibbleAt(source, x);
      const PALETTEENTRY& colour = image.Colours[index];
      out[3 * x] = colour.peBlue;
      out[3 * x + 1] = colour.peGreen;
      out[3 * x + 2] = colour.peRed;
    }
  }
}

}  // namespace

void DepthUpTo24(RasterImage& image) {
  if (!image.Info || !image.Pixels) return;
  const int32_t bits = static_cast<int32_t>(DibBitCount(image));
  // Other depths are returned as they are; no point allocating a target first.
  if (bits != 1 && bits != 4 && bits != 8) return;
  const int32_t width = DibWidth(image);
  const int32_t height = DibHeight(image);

  RasterImage target;
  newdib(&target, width, height, 24, nullptr, 0);
  if (target.Allocation == 0 || !target.Pixels) return;

  if (bits == 1) {
    PromoteOneBit(image, target, width, height);
  } else {
    PromotePalette(image, target, width, height, bits);
  }
  deldib(image);
  image = target;
}

}  // namespace imaging
