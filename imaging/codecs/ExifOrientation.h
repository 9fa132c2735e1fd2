#pragma once
// Cameras store pictures as the sensor saw them and note the turn needed in
// the EXIF orientation tag; we turn the picture so it comes out upright.
#include <cstddef>
#include <cstdint>

#include "imaging/Image.h"

namespace imaging::codecs {

// The orientation (1..8) in an APP1 payload starting with "Exif\0\0";
// 1 when the payload has none or is malformed.
int ExifOrientation(const uint8_t* payload, size_t size);

// Replaces `image` by its upright form for `orientation` (2..8). An 8- or
// 24-bit image only; when no memory is left the picture stays as stored.
void ApplyOrientation(Image& image, int orientation);

}  // namespace imaging::codecs
