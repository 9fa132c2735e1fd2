#include "imaging/codecs/ExifOrientation.h"

#include <string>

#include <gtest/gtest.h>

namespace {

// An EXIF payload with one IFD entry; `bigEndian` picks the byte order.
std::string Payload(uint16_t tag, uint16_t type, uint16_t value, bool bigEndian) {
  auto u16 = [&](uint16_t v) {
    return bigEndian ? std::string{char(v >> 8), char(v & 255)} : std::string{char(v & 255), char(v >> 8)};
  };
  auto u32 = [&](uint32_t v) { return bigEndian ? u16(uint16_t(v >> 16)) + u16(uint16_t(v)) : u16(uint16_t(v)) + u16(uint16_t(v >> 16)); };
  std::string tiff = bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
  tiff += u32(8) + u16(1) + u16(tag) + u16(type) + u32(1) + u16(value) + u16(0) + u32(0);
  return std::string("Exif\0\0", 6) + tiff;
}

int Orientation(const std::string& payload) {
  return codecs::ExifOrientation(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
}

TEST(ExifOrientation, ReadsTheTagInBothByteOrders) {
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 6, false)), 6);
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 8, true)), 8);
}

TEST(ExifOrientation, AnythingMalformedMeansUpright) {
  EXPECT_EQ(Orientation(Payload(0x0110, 3, 6, false)), 1) << "other tag";
  EXPECT_EQ(Orientation(Payload(0x0112, 4, 6, false)), 1) << "wrong type";
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 9, false)), 1) << "value out of range";
  EXPECT_EQ(Orientation(Payload(0x0112, 3, 0, false)), 1) << "value out of range";
  std::string cut = Payload(0x0112, 3, 6, false);
  EXPECT_EQ(Orientation(cut.substr(0, cut.size() - 10)), 1) << "entry cut off";
  std::string farIfd = Payload(0x0112, 3, 6, false);
  farIfd[10] = '\xF0';  // IFD offset far beyond the payload
  EXPECT_EQ(Orientation(farIfd), 1);
  std::string manyEntries = Payload(0x0112, 3, 6, false);
  manyEntries[15] = '\xFF';  // claims 65281 entries
  manyEntries[14] = '\x01';
  EXPECT_EQ(Orientation(manyEntries.substr(0, 20)), 1);
  EXPECT_EQ(Orientation("Exif"), 1);
  EXPECT_EQ(Orientation(std::string("JFIF\0\0II*\0\10\0\0\0", 14)), 1);
}

}  // namespace
