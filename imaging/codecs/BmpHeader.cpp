#include "imaging/codecs/BmpHeader.h"

#include <algorithm>

namespace imaging::codecs {
namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kOs2CoreSize = 12;
constexpr uint32_t kInfoSize = 40;
constexpr uint32_t kOs2InfoSize = 64;

bool ValidBits(int bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

const char* CheckCompression(const BmpHeader& h, uint32_t headerSize) {
  switch (h.compression) {
    case kBmpRgb:
      return nullptr;
    case kBmpRle8:
      return h.bits == 8 && !h.topDown ? nullptr : kCorrupt;
    case kBmpRle4:
      return h.bits == 4 && !h.topDown ? nullptr : kCorrupt;
    case kBmpBitfields:
      if (headerSize == kOs2InfoSize) return kUnsupported;  // OS/2 Huffman coding
      [[fallthrough]];
    case kBmpAlphaBitfields:
      return h.bits == 16 || h.bits == 32 ? nullptr : kCorrupt;
    default:
      return kUnsupported;  // embedded JPEG or PNG, OS/2 RLE24, unknown
  }
}

void DefaultMasks(BmpHeader& h) {
  if (h.bits == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
  }
  h.masks[3] = 0;
}

// Masks follow a 40-byte header, or sit inside the larger ones.
const char* ReadMasks(const ByteReader& r, BmpHeader& h, uint32_t headerSize) {
  DefaultMasks(h);
  if (h.compression != kBmpBitfields && h.compression != kBmpAlphaBitfields) return nullptr;
  const uint64_t at = kFileHeaderSize + kInfoSize;
  const int count = h.compression == kBmpAlphaBitfields || headerSize >= 56 ? 4 : 3;
  if (!r.Has(at, 4 * count)) return kCorrupt;
  for (int i = 0; i < count; ++i) h.masks[i] = r.U32(at + 4 * i);
  return nullptr;
}

uint64_t ColourTableOffset(const BmpHeader& h, uint32_t headerSize) {
  uint64_t offset = kFileHeaderSize + headerSize;
  if (headerSize == kInfoSize && h.compression == kBmpBitfields) offset += 12;
  if (headerSize == kInfoSize && h.compression == kBmpAlphaBitfields) offset += 16;
  return offset;
}

// Takes the entries the header announces, as far as the file holds them.
const char* ReadColourTable(const ByteReader& r, BmpHeader& h, uint32_t headerSize, uint32_t coloursUsed) {
  if (h.bits > 8) return nullptr;
  const uint64_t entrySize = headerSize == kOs2CoreSize ? 3 : 4;
  const uint64_t offset = ColourTableOffset(h, headerSize);
  uint64_t count = coloursUsed ? std::min<uint64_t>(coloursUsed, 1u << h.bits) : 1u << h.bits;
  if (h.pixelOffset > offset) count = std::min(count, (h.pixelOffset - offset) / entrySize);
  if (!r.Has(offset, count * entrySize)) count = r.Has(offset, 0) ? (r.Size() - offset) / entrySize : 0;
  if (count == 0) return kCorrupt;
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t at = offset + i * entrySize;
    h.colours.Set(static_cast<int>(i), r.U8(at + 2), r.U8(at + 1), r.U8(at));
  }
  return nullptr;
}

}  // namespace

int DeliveredDepth(int bmpBits) {
  if (bmpBits == 1 || bmpBits == 8) return bmpBits;
  return bmpBits <= 4 ? 4 : 24;
}

const char* ReadBmpHeader(const ByteReader& r, BmpHeader& h) {
  if (!r.Has(0, kFileHeaderSize + 4)) return kCorrupt;
  h.pixelOffset = r.U32(10);
  const uint32_t headerSize = r.U32(kFileHeaderSize);
  if (headerSize != kOs2CoreSize && (headerSize < 16 || headerSize > 124)) return kCorrupt;
  if (!r.Has(kFileHeaderSize, headerSize)) return kCorrupt;
  const uint64_t at = kFileHeaderSize + 4;
  int64_t height;
  uint32_t coloursUsed = 0;
  if (headerSize == kOs2CoreSize) {
    h.width = r.U16(at);
    height = r.U16(at + 2);
    h.bits = r.U16(at + 6);
  } else {
    h.width = static_cast<int32_t>(r.U32(at));
    height = static_cast<int32_t>(r.U32(at + 4));
    h.bits = r.U16(at + 10);
    if (headerSize >= 20) h.compression = r.U32(at + 12);
    if (headerSize >= 36) coloursUsed = r.U32(at + 28);
  }
  h.topDown = height < 0;
  h.height = height < 0 ? -height : height;
  if (!ValidBits(h.bits) || h.width < 1 || h.height < 1) return kCorrupt;
  if (const char* refusal = CheckCompression(h, headerSize)) return refusal;
  if (const char* refusal = CheckDimensions(h.width, h.height, DeliveredDepth(h.bits))) return refusal;
  if (h.pixelOffset >= r.Size()) return kCorrupt;
  if (const char* refusal = ReadMasks(r, h, headerSize)) return refusal;
  return ReadColourTable(r, h, headerSize, coloursUsed);
}

}  // namespace imaging::codecs
