#pragma once
// The floor our OpenDib and SaveDib are measured against: the plainest best
// use of libjpeg-turbo's TurboJPEG API (one handle and buffers kept across
// pictures, as tjbench does; standard Huffman tables, no checks, no
// progress), not a copy of our own choices.
#include <cstdint>
#include <string>
#include <vector>

namespace rawjpeg {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> bgr;  // top-down rows, 3 bytes per pixel, no padding
};

class Codec {
 public:
  Codec();
  ~Codec();
  Codec(const Codec&) = delete;
  Codec& operator=(const Codec&) = delete;

  // Decodes the file into `picture`, reusing its memory.
  void Decode(const std::string& path, Picture& picture);
  // Baseline, 4:2:0, standard Huffman tables, written to `path`.
  void Encode(const Picture& picture, int quality, const std::string& path);

 private:
  void* decoder_;
  void* encoder_;
  std::vector<unsigned char> file_;
  unsigned char* output_ = nullptr;
  unsigned long outputCapacity_ = 0;
};

}  // namespace rawjpeg
