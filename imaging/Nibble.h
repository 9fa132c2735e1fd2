#pragma once
// 4-bit pixels: two to a byte, the even column in the high nibble.
#include <cstdint>

namespace imaging {

inline uint8_t NibbleAt(const uint8_t* row, int32_t column) {
  const uint8_t b = row[column / 2];
  return (column % 2 == 0) ? static_cast<uint8_t>(b >> 4) : static_cast<uint8_t>(b & 15);
}

// ORs a nibble into a zeroed row, as a fresh image from newdib is.
inline void OrNibble(uint8_t* row, int32_t column, uint8_t value) {
  row[column / 2] |= (column % 2 == 0) ? static_cast<uint8_t>(value << 4) : static_cast<uint8_t>(value & 15);
}

}  // namespace imaging
