#pragma once
// The headers of a Windows (or OS/2) bitmap file, read through a reader that
// checks every offset against the bytes it has.
#include <cstddef>
#include <cstdint>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

class ByteReader {
 public:
  explicit ByteReader(FileBytes file) : file_(file) {}
  size_t Size() const { return file_.size; }
  bool Has(uint64_t offset, uint64_t count) const { return offset <= file_.size && file_.size - offset >= count; }
  // Callers check Has first; out-of-range reads give 0 all the same.
  uint8_t U8(uint64_t offset) const { return Has(offset, 1) ? file_.data[offset] : 0; }
  uint16_t U16(uint64_t offset) const { return static_cast<uint16_t>(U8(offset) | U8(offset + 1) << 8); }
  uint32_t U32(uint64_t offset) const { return U16(offset) | uint32_t{U16(offset + 2)} << 16; }
  const uint8_t* At(uint64_t offset) const { return file_.data + offset; }

 private:
  FileBytes file_;
};

enum BmpCompression : uint32_t { kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitfields = 3, kBmpAlphaBitfields = 6 };

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // always positive; topDown says the row order
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kBmpRgb;
  uint32_t masks[4] = {};  // red, green, blue, alpha for 16 and 32 bits
  ColourTable colours;
  uint64_t pixelOffset = 0;
};

// Fills `header` from the file and header blocks and the colour table; null
// when they are consistent, otherwise the message refusing the file.
const char* ReadBmpHeader(const ByteReader& reader, BmpHeader& header);

// The depth the decoded image gets: 1, 4, 8 or 24.
int DeliveredDepth(int bmpBits);

}  // namespace imaging::codecs
