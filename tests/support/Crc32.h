#pragma once
// The CRC-32 of PNG chunks, for tests that patch a chunk and must keep it valid.
#include <cstddef>
#include <cstdint>

namespace fixtures {

inline uint32_t Crc32(const char* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= static_cast<uint8_t>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

}  // namespace fixtures
