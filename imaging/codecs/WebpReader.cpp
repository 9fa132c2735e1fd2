// WebP decoding with libwebp: 24-bit, alpha over white. Animated files are
// not read.
#include <webp/decode.h>

#include <cstdlib>
#include <cstring>

#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/WebpProfile.h"
#include "imaging/colour/SrgbConversion.h"

namespace imaging::codecs {
namespace {

// libwebp writes rows top-down; the DIB keeps them bottom-up.
void FlipRows(const RasterImage& image) {
  const int64_t height = DibHeight(image);
  const size_t stride = size_t(image.Stride);
  auto* spare = static_cast<uint8_t*>(std::malloc(stride));
  if (!spare) return;
  for (int64_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = image.Pixels + top * stride;
    uint8_t* b = image.Pixels + bottom * stride;
    std::memcpy(spare, a, stride);
    std::memcpy(a, b, stride);
    std::memcpy(b, spare, stride);
  }
  std::free(spare);
}

bool DecodeOpaque(FileBytes file, const RasterImage& image) {
  if (!WebPDecodeBGRInto(file.data, file.size, image.Pixels, image.Info->bmiHeader.biSizeImage, image.Stride))
    return false;
  FlipRows(image);
  return true;
}

bool DecodeTransparent(FileBytes file, const RasterImage& image, int width, int height) {
  const size_t stride = size_t(width) * 4;
  auto* bgra = static_cast<uint8_t*>(std::malloc(stride * size_t(height)));
  if (!bgra) return false;
  const bool decoded = WebPDecodeBGRAInto(file.data, file.size, bgra, stride * size_t(height), int(stride)) != nullptr;
  for (int y = 0; decoded && y < height; ++y) {
    const uint8_t* source = bgra + size_t(y) * stride;
    uint8_t* target = TopDownRow(image, y);
    for (int x = 0; x < width; ++x, source += 4, target += 3) {
      for (int c = 0; c < 3; ++c) target[c] = OverWhite(source[c], source[3]);
    }
  }
  std::free(bgra);
  return decoded;
}

}  // namespace

void DecodeWebP(FileBytes file, Image& out, ProgressMeter& progress) {
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(file.data, file.size, &features) != VP8_STATUS_OK) return Fail(out, kCorrupt);
  if (features.has_animation) return Fail(out, kUnsupported);
  // 32 bits: the transparent path decodes into a buffer of 4 bytes per pixel first.
  if (const char* refusal = CheckDimensions(features.width, features.height, 32)) return Fail(out, refusal);
  if (!CreateImage(out, features.width, features.height, 24)) return;
  progress.Report(10);
  const bool decoded =
      features.has_alpha ? DecodeTransparent(file, *out, features.width, features.height) : DecodeOpaque(file, *out);
  if (!decoded) {
    return Fail(out, kCorrupt);
  }
  const FileBytes profile = FindWebpProfile(file);
  colour::EmbeddedProfileToSrgb(*out, profile.data, profile.size);
}

}  // namespace imaging::codecs
