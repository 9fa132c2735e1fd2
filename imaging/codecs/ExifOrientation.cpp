#include "imaging/codecs/ExifOrientation.h"

#include <cstring>
#include <utility>

#include "imaging/Rastola.h"

namespace imaging::codecs {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;

// Reads the TIFF structure inside the EXIF payload with its byte order,
// refusing every offset that leaves the payload.
class TiffView {
 public:
  TiffView(const uint8_t* data, size_t size, bool bigEndian) : data_(data), size_(size), bigEndian_(bigEndian) {}
  bool U16(size_t offset, uint16_t& value) const {
    if (offset > size_ || size_ - offset < 2) return false;
    const uint8_t* p = data_ + offset;
    value = bigEndian_ ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
    return true;
  }
  bool U32(size_t offset, uint32_t& value) const {
    uint16_t a = 0, b = 0;
    if (!U16(offset, a) || !U16(offset + 2, b)) return false;
    value = bigEndian_ ? (uint32_t{a} << 16 | b) : (uint32_t{b} << 16 | a);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  bool bigEndian_;
};

struct Source {
  int64_t x, y;
};

// Where destination pixel (x, y) of the upright picture comes from, both
// counted from the top left; w and h are the stored picture's size.
Source SourceOf(int orientation, int64_t x, int64_t y, int64_t w, int64_t h) {
  switch (orientation) {
    case 2:
      return {w - 1 - x, y};
    case 3:
      return {w - 1 - x, h - 1 - y};
    case 4:
      return {x, h - 1 - y};
    case 5:
      return {y, x};
    case 6:
      return {y, h - 1 - x};
    case 7:
      return {w - 1 - y, h - 1 - x};
    case 8:
      return {w - 1 - y, x};
    default:
      return {x, y};
  }
}

const uint8_t* TopDownPixel(const RasterImage& image, int64_t x, int64_t y, int64_t bytesPerPixel) {
  return image.Pixels + (DibHeight(image) - 1 - y) * int64_t{image.Stride} + x * bytesPerPixel;
}

}  // namespace

int ExifOrientation(const uint8_t* payload, size_t size) {
  if (size < 14 || std::memcmp(payload, "Exif\0\0", 6) != 0) return 1;
  const uint8_t* tiff = payload + 6;
  const size_t tiffSize = size - 6;
  bool bigEndian;
  if (std::memcmp(tiff, "II*\0", 4) == 0)
    bigEndian = false;
  else if (std::memcmp(tiff, "MM\0*", 4) == 0)
    bigEndian = true;
  else
    return 1;
  const TiffView view(tiff, tiffSize, bigEndian);
  uint32_t ifd = 0;
  uint16_t entries = 0;
  if (!view.U32(4, ifd) || !view.U16(ifd, entries)) return 1;
  for (uint32_t i = 0; i < entries; ++i) {
    const size_t entry = size_t{ifd} + 2 + size_t{i} * 12;
    uint16_t tag = 0, type = 0, value = 0;
    if (!view.U16(entry, tag) || !view.U16(entry + 2, type)) return 1;
    if (tag != kOrientationTag) continue;
    if (type != kTypeShort || !view.U16(entry + 8, value)) return 1;
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

void ApplyOrientation(Image& image, int orientation) {
  if (orientation < 2 || orientation > 8) return;
  const int bits = static_cast<int>(DibBitCount(*image));
  if (bits != 8 && bits != 24) return;
  const int64_t w = DibWidth(*image), h = DibHeight(*image);
  const bool swaps = orientation >= 5;
  const int colourCount = static_cast<int>(image->Info->bmiHeader.biClrUsed);
  Image upright;
  newdib(&upright, static_cast<int32_t>(swaps ? h : w), static_cast<int32_t>(swaps ? w : h), bits, image->Info,
         colourCount);
  if (!upright) return;
  const int64_t bytesPerPixel = bits / 8;
  const int64_t outW = DibWidth(*upright), outH = DibHeight(*upright);
  for (int64_t y = 0; y < outH; ++y) {
    uint8_t* target = upright->Pixels + (outH - 1 - y) * int64_t{upright->Stride};
    for (int64_t x = 0; x < outW; ++x, target += bytesPerPixel) {
      const Source s = SourceOf(orientation, x, y, w, h);
      std::memcpy(target, TopDownPixel(*image, s.x, s.y, bytesPerPixel), static_cast<size_t>(bytesPerPixel));
    }
  }
  image = std::move(upright);
}

}  // namespace imaging::codecs
