#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/codecs/DecodeSupport.h"

namespace codecs {

// A baseline JPEG (quality 90, optimised Huffman tables) of any readable
// image, in memory. On success `*bytes` is a malloc'd buffer the caller frees.
bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, unsigned char** bytes, unsigned long* size);

}  // namespace codecs
