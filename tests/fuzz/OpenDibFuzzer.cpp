// libFuzzer target: every byte string goes through the decoding half of
// OpenDib. A decoded picture is read in full so the sanitizers see any pixel
// memory that was never written or lies outside the allocation.
#include <cstddef>
#include <cstdint>

#include "imaging/codecs/Decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  imaging::Image image;
  imaging::codecs::ProgressMeter progress(nullptr);
  imaging::codecs::DecodePicture(imaging::codecs::FileBytes{data, size}, image, progress);
  if (!image->Pixels) return 0;
  unsigned sum = 0;
  const int64_t bytes = int64_t{image->Stride} * imaging::DibHeight(*image);
  for (int64_t i = 0; i < bytes; ++i) sum += image->Pixels[i];
  if (sum == 0xFFFFFFFF) image->HasPalette = 2;  // keeps the loop from being optimised away
  return 0;
}
