#include "imaging/codecs/HeifPixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace imaging::codecs {
namespace {

// The rows of one plane as 8-bit samples. 8-bit planes are read in place;
// deeper ones (10 and 12 bits, two bytes a sample) are rounded into a
// scratch row.
class ChannelRows {
 public:
  // False when the plane is missing or smaller than width x height.
  bool Open(const heif_image* image, heif_channel channel, int width, int height) {
    if (!heif_image_has_channel(image, channel)) return false;
    if (heif_image_get_width(image, channel) < width || heif_image_get_height(image, channel) < height) return false;
    bits_ = heif_image_get_bits_per_pixel_range(image, channel);
    if (bits_ < 1 || bits_ > 16) return false;
    data_ = heif_image_get_plane_readonly(image, channel, &stride_);
    if (!data_) return false;
    if (bits_ > 8) scratch_.resize(size_t(width));
    return true;
  }

  const uint8_t* Row(int y) {
    const uint8_t* row = data_ + int64_t{y} * stride_;
    if (bits_ <= 8) return row;
    const unsigned max = (1u << bits_) - 1;
    for (size_t x = 0; x < scratch_.size(); ++x) {
      uint16_t value;
      std::memcpy(&value, row + 2 * x, 2);
      scratch_[x] = static_cast<uint8_t>((std::min<unsigned>(value, max) * 255u + max / 2) / max);
    }
    return scratch_.data();
  }

 private:
  const uint8_t* data_ = nullptr;
  int stride_ = 0;
  int bits_ = 0;
  std::vector<uint8_t> scratch_;
};

// One sample of a premultiplied picture already holds value x alpha.
inline uint8_t OverWhite(uint8_t value, uint8_t alpha, bool premultiplied) {
  return premultiplied ? static_cast<uint8_t>(std::min(255, value + 255 - alpha)) : codecs::OverWhite(value, alpha);
}

bool CopyGrey(const heif_image* image, bool premultiplied, int width, int height, Image& out) {
  ChannelRows grey, alpha;
  const bool transparent = heif_image_has_channel(image, heif_channel_Alpha);
  if (!grey.Open(image, heif_channel_Y, width, height) ||
      (transparent && !alpha.Open(image, heif_channel_Alpha, width, height))) {
    Fail(out, kCorrupt);
    return false;
  }
  const ColourTable table = GreyTable();
  if (!CreateImage(out, width, height, 8, &table.info, 256)) return false;
  for (int y = 0; y < height; ++y) {
    uint8_t* target = TopDownRow(*out, y);
    const uint8_t* source = grey.Row(y);
    if (!transparent) {
      std::memcpy(target, source, size_t(width));
      continue;
    }
    const uint8_t* a = alpha.Row(y);
    for (int x = 0; x < width; ++x) target[x] = OverWhite(source[x], a[x], premultiplied);
  }
  return true;
}

bool CopyColour(const heif_image* image, bool premultiplied, int width, int height, Image& out) {
  ChannelRows red, green, blue, alpha;
  const bool transparent = heif_image_has_channel(image, heif_channel_Alpha);
  if (!red.Open(image, heif_channel_R, width, height) || !green.Open(image, heif_channel_G, width, height) ||
      !blue.Open(image, heif_channel_B, width, height) ||
      (transparent && !alpha.Open(image, heif_channel_Alpha, width, height))) {
    Fail(out, kCorrupt);
    return false;
  }
  if (!CreateImage(out, width, height, 24)) return false;
  for (int y = 0; y < height; ++y) {
    uint8_t* target = TopDownRow(*out, y);
    const uint8_t *r = red.Row(y), *g = green.Row(y), *b = blue.Row(y);
    if (!transparent) {
      for (int x = 0; x < width; ++x, target += 3) target[0] = b[x], target[1] = g[x], target[2] = r[x];
      continue;
    }
    const uint8_t* a = alpha.Row(y);
    for (int x = 0; x < width; ++x, target += 3) {
      target[0] = OverWhite(b[x], a[x], premultiplied);
      target[1] = OverWhite(g[x], a[x], premultiplied);
      target[2] = OverWhite(r[x], a[x], premultiplied);
    }
  }
  return true;
}

}  // namespace

bool IsCopyableHeifLayout(const heif_image* image) {
  const heif_colorspace space = heif_image_get_colorspace(image);
  const heif_chroma chroma = heif_image_get_chroma_format(image);
  return (space == heif_colorspace_monochrome && chroma == heif_chroma_monochrome) ||
         (space == heif_colorspace_RGB && chroma == heif_chroma_444);
}

bool CopyHeifPixels(const heif_image* image, bool premultipliedAlpha, Image& out) {
  const int width = heif_image_get_primary_width(image);
  const int height = heif_image_get_primary_height(image);
  if (const char* refusal = CheckDimensions(width, height, 24)) {
    Fail(out, refusal);
    return false;
  }
  if (heif_image_get_colorspace(image) == heif_colorspace_monochrome) {
    return CopyGrey(image, premultipliedAlpha, width, height, out);
  }
  return CopyColour(image, premultipliedAlpha, width, height, out);
}

}  // namespace imaging::codecs
