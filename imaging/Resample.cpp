// Nearest-neighbour resampling for thumbnails.
#include "imaging/Resample.h"

#include "imaging/Nibble.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

// Source position of a target index: steps are source pixels per target
// pixel in 10-bit fixed point. 64-bit so that pictures wider or taller than
// 2^21 pixels cannot overflow into positions outside the source.
struct Sampler {
  int64_t step;
  int32_t At(int32_t target) const { return static_cast<int32_t>((target * step) >> 10); }
};

Sampler MakeSampler(int32_t sourceSize, int32_t targetSize) {
  return Sampler{(int64_t{sourceSize} << 10) / targetSize};
}

void ResampleRow(const RasterImage& source, const RasterImage& result, int32_t bits, int32_t y, int32_t sy,
                 int32_t width, Sampler columns) {
  const uint8_t* in = source.Pixels + int64_t{sy} * source.Stride;
  uint8_t* out = result.Pixels + int64_t{y} * result.Stride;
  for (int32_t x = 0; x < width; ++x) {
    const int32_t sx = columns.At(x);
    switch (bits) {
      case 1:
        setpixel(result, x, y, getpixel(source, sx, sy));
        break;
      case 4:
        OrNibble(out, x, NibbleAt(in, sx));
        break;
      case 8:
        out[x] = in[sx];
        break;
      case 24:
        out[3 * x] = in[3 * sx];
        out[3 * x + 1] = in[3 * sx + 1];
        out[3 * x + 2] = in[3 * sx + 2];
        break;
    }
  }
}

}  // namespace

Image Resize(const RasterImage& source, int32_t newWidth, int32_t newHeight) {
  Image result;
  // A zero side (a thumbnail box far narrower than the picture) would divide
  // by zero; the caller sees Pixels nil and makes no thumbnail.
  if (newWidth < 1 || newHeight < 1 || !source.Info || !source.Pixels) return result;
  const int32_t width = DibWidth(source);
  const int32_t height = DibHeight(source);
  const int32_t bits = static_cast<int32_t>(DibBitCount(source));
  if (width < 1 || height < 1) return result;

  const uint32_t colours = DibColourCount(source);
  newdib(&result, newWidth, newHeight, bits, source.Info, colours > 256 ? 0 : static_cast<int32_t>(colours));
  // Other depths stay blank: the result has the size and depth asked for.
  if (!result || (bits != 1 && bits != 4 && bits != 8 && bits != 24)) return result;

  const Sampler columns = MakeSampler(width, newWidth);
  const Sampler rows = MakeSampler(height, newHeight);
  for (int32_t y = 0; y < newHeight; ++y) {
    ResampleRow(source, *result, bits, y, rows.At(y), newWidth, columns);
  }
  return result;
}

}  // namespace imaging
