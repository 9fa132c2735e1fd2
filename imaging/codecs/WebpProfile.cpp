#include "imaging/codecs/WebpProfile.h"

#include <cstring>

namespace imaging::codecs {

FileBytes FindWebpProfile(FileBytes file) {
  // "RIFF", size, "WEBP", then chunks: four-letter name, little-endian
  // payload size, payload padded to an even length.
  size_t at = 12;
  while (at + 8 <= file.size) {
    const uint8_t* chunk = file.data + at;
    const size_t size = size_t{chunk[4]} | size_t{chunk[5]} << 8 | size_t{chunk[6]} << 16 | size_t{chunk[7]} << 24;
    if (size > file.size - at - 8) break;
    if (std::memcmp(chunk, "ICCP", 4) == 0) return FileBytes{chunk + 8, size};
    at += 8 + size + (size & 1);
  }
  return FileBytes{nullptr, 0};
}

}  // namespace imaging::codecs
