// Our own BMP reader: uncompressed 1/2/4/8/16/24/32 bits, RLE4, RLE8,
// bitfields, top-down rows. Every byte it reads is checked to be there.
#include <bit>
#include <cstring>

#include "imaging/codecs/BmpHeader.h"
#include "imaging/codecs/Decoders.h"

namespace imaging::codecs {
namespace {

// One channel of a 16- or 32-bit pixel, described by its mask.
struct Channel {
  uint32_t mask, shift, max;
  explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), max(m ? (m >> shift) : 0) {}
  uint8_t Of(uint32_t pixel) const {
    if (!max) return 0;
    return static_cast<uint8_t>((uint64_t{(pixel & mask) >> shift} * 255 + max / 2) / max);
  }
};

uint32_t PixelAt(const uint8_t* row, int64_t x, int bits) {
  const uint8_t* p = row + x * (bits / 8);
  return bits == 16 ? uint32_t{p[0]} | uint32_t{p[1]} << 8
                    : uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Many 32-bit files leave the alpha bytes zero; they mean opaque then.
bool UsesAlpha(const ByteReader& r, const BmpHeader& h, int64_t sourceStride) {
  if (!h.masks[3]) return false;
  for (int64_t row = 0; row < h.height; ++row) {
    const uint8_t* source = r.At(h.pixelOffset + row * sourceStride);
    for (int64_t x = 0; x < h.width; ++x) {
      if (PixelAt(source, x, h.bits) & h.masks[3]) return true;
    }
  }
  return false;
}

void MaskedRow(const uint8_t* source, uint8_t* target, const BmpHeader& h, bool alpha) {
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), opacity(h.masks[3]);
  for (int64_t x = 0; x < h.width; ++x, target += 3) {
    const uint32_t pixel = PixelAt(source, x, h.bits);
    const unsigned a = alpha ? opacity.Of(pixel) : 255;
    target[0] = OverWhite(blue.Of(pixel), a);
    target[1] = OverWhite(green.Of(pixel), a);
    target[2] = OverWhite(red.Of(pixel), a);
  }
}

void TwoBitRow(const uint8_t* source, uint8_t* target, int64_t width) {
  for (int64_t x = 0; x < width; ++x) {
    const unsigned index = (source[x / 4] >> (6 - 2 * (x & 3))) & 3;
    target[x / 2] |= static_cast<uint8_t>((x & 1) ? index : index << 4);
  }
}

void DecodeUncompressed(const ByteReader& r, const BmpHeader& h, const RasterImage& image, ProgressMeter& progress) {
  const int64_t sourceStride = DibStride(h.width, h.bits);  // all there: checked before allocating
  const bool alpha = (h.bits == 16 || h.bits == 32) && UsesAlpha(r, h, sourceStride);
  for (int64_t row = 0; row < h.height; ++row) {
    const uint8_t* source = r.At(h.pixelOffset + row * sourceStride);
    const int64_t memoryRow = h.topDown ? h.height - 1 - row : row;
    uint8_t* target = image.Pixels + memoryRow * image.Stride;
    if (h.bits == 2)
      TwoBitRow(source, target, h.width);
    else if (h.bits == 16 || h.bits == 32)
      MaskedRow(source, target, h, alpha);
    else
      std::memcpy(target, source, size_t(sourceStride));
    progress.Fraction(row, h.height);
  }
}

class RleCanvas {
 public:
  RleCanvas(const RasterImage& image, bool nibbles) : image_(image), nibbles_(nibbles) {}
  void Put(int64_t x, int64_t y, unsigned index) {
    if (x < 0 || y < 0 || x >= DibWidth(image_) || y >= DibHeight(image_)) return;
    uint8_t* row = image_.Pixels + y * image_.Stride;
    if (!nibbles_)
      row[x] = static_cast<uint8_t>(index);
    else
      row[x / 2] |= static_cast<uint8_t>((x & 1) ? (index & 15) : (index & 15) << 4);
  }

 private:
  const RasterImage& image_;
  bool nibbles_;
};

// Runs and escapes from the bottom row up; pixels never set stay index 0.
// Every step consumes at least two bytes, so the loop ends with the data.
const char* DecodeRle(const ByteReader& r, const BmpHeader& h, const RasterImage& image, ProgressMeter& progress) {
  const bool rle4 = h.compression == kBmpRle4;
  RleCanvas canvas(image, rle4);
  int64_t x = 0, y = 0;
  for (uint64_t at = h.pixelOffset; y < h.height;) {
    if (!r.Has(at, 2)) return kCorrupt;
    const unsigned count = r.U8(at), value = r.U8(at + 1);
    at += 2;
    progress.Fraction(int64_t(at - h.pixelOffset), int64_t(r.Size() - h.pixelOffset));
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i, ++x) canvas.Put(x, y, rle4 ? ((i & 1) ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return nullptr;
    } else if (value == 2) {
      if (!r.Has(at, 2)) return kCorrupt;
      x += r.U8(at), y += r.U8(at + 1);
      at += 2;
    } else {
      const uint64_t bytes = rle4 ? (value + 1) / 2 : value;
      if (!r.Has(at, bytes)) return kCorrupt;
      for (unsigned i = 0; i < value; ++i, ++x) {
        const unsigned b = r.U8(at + (rle4 ? i / 2 : i));
        canvas.Put(x, y, rle4 ? ((i & 1) ? b & 15 : b >> 4) : b);
      }
      at += (bytes + 1) & ~uint64_t{1};
    }
  }
  return nullptr;
}

}  // namespace

void DecodeBmp(FileBytes file, Image& out, ProgressMeter& progress) {
  const ByteReader reader(file);
  BmpHeader header;
  if (const char* refusal = ReadBmpHeader(reader, header)) return Fail(out, refusal);
  const int depth = DeliveredDepth(header.bits);
  const bool rle = header.compression == kBmpRle8 || header.compression == kBmpRle4;
  // Uncompressed data must all be there before anything is allocated.
  if (!rle && !reader.Has(header.pixelOffset, uint64_t(DibStride(header.width, header.bits) * header.height))) {
    return Fail(out, kCorrupt);
  }
  if (!CreateImage(out, header.width, header.height, depth, &header.colours.info, depth == 24 ? 0 : 1 << depth)) return;
  if (!rle) return DecodeUncompressed(reader, header, *out, progress);
  if (const char* refusal = DecodeRle(reader, header, *out, progress)) {
    Fail(out, refusal);
  }
}

}  // namespace imaging::codecs
