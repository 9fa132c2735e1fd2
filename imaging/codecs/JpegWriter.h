#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// The bytes of an encoded JPEG. A caller that keeps one across pictures
// (one per worker) spares the allocation and page faults of a fresh buffer
// for every file; it only grows, up to the largest file written into it.
class JpegBuffer {
 public:
  JpegBuffer() = default;
  ~JpegBuffer();
  JpegBuffer(const JpegBuffer&) = delete;
  JpegBuffer& operator=(const JpegBuffer&) = delete;

  const unsigned char* data() const { return bytes_; }
  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }

  // For the encoder: room for at least `capacity` bytes; false when memory runs out.
  bool Reserve(size_t capacity);
  void SetSize(size_t size) { size_ = size; }
  unsigned char* storage() { return bytes_; }
  // Hands the malloc'd storage to the caller and leaves the buffer empty.
  unsigned char* Release();

 private:
  unsigned char* bytes_ = nullptr;
  size_t capacity_ = 0;
  size_t size_ = 0;
};

// The quality of every copy and thumbnail.
inline constexpr int kDefaultJpegQuality = 90;

// A baseline JPEG (4:2:0, standard Huffman tables) of any readable image,
// written into `out`. Rows go to libjpeg as they are, in batches, so nothing
// but the output grows with the picture.
bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, JpegBuffer& out, int quality = kDefaultJpegQuality);

// The same into a fresh malloc'd buffer that the caller frees.
bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, unsigned char** bytes, unsigned long* size,
                int quality = kDefaultJpegQuality);

}  // namespace imaging::codecs
