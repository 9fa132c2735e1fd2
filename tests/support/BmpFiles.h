#pragma once
// Writes small uncompressed BMP files for the export tests: 24 bits with a
// colour gradient, 8 bits with a grey palette, or 1 bit black and white.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void WriteBmp(const std::string& fsPath, int32_t width, int32_t height, int bits) {
  const uint32_t stride = static_cast<uint32_t>(((width * bits + 31) / 32) * 4);
  const uint32_t paletteBytes = bits == 8 ? 1024 : bits == 1 ? 8 : 0;
  const uint32_t offset = 14 + 40 + paletteBytes;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLe(out, offset + stride * static_cast<uint32_t>(height), 4);
  PutLe(out, 0, 4);
  PutLe(out, offset, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<uint32_t>(bits), 2);
  PutLe(out, 0, 4);
  PutLe(out, stride * static_cast<uint32_t>(height), 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, paletteBytes / 4, 4);
  PutLe(out, 0, 4);
  for (uint32_t i = 0; i < paletteBytes / 4; ++i) PutLe(out, (bits == 1 ? i * 255 : i) * 0x010101u, 4);
  for (int32_t y = 0; y < height; ++y) {
    std::vector<uint8_t> row(stride, 0);
    for (int32_t x = 0; x < width; ++x) {
      if (bits == 1) {
        if ((x / 3 + y / 2) % 2) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      } else if (bits == 8) {
        row[x] = static_cast<uint8_t>((x + y) & 0xFF);
      } else {
        row[3 * x] = static_cast<uint8_t>(x);
        row[3 * x + 1] = static_cast<uint8_t>(y);
        row[3 * x + 2] = 200;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  std::ofstream(fsPath, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}
