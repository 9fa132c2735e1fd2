#pragma once
// Plain libjpeg-turbo calls with no error recovery, progress or checks: the
// floor our OpenDib and SaveDib are measured against.
#include <cstdint>
#include <memory>
#include <string>

namespace rawjpeg {

struct Picture {
  int width = 0, height = 0;
  std::unique_ptr<uint8_t[]> bgr;  // top-down rows, 3 bytes per pixel, no padding
};

Picture Decode(const std::string& path);
// Baseline, optimised Huffman tables, 4:2:0.
void Encode(const Picture& picture, int quality, const std::string& path);

}  // namespace rawjpeg
