#pragma once
// Copies a picture decoded by libheif into a DIB: planar RGB into 24-bit
// blue-green-red rows, monochrome into 8-bit grey, samples deeper than
// 8 bits reduced to 8, alpha composited over white.
#include <libheif/heif.h>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// True for the layouts CopyHeifPixels takes: monochrome, or planar RGB.
bool IsCopyableHeifLayout(const heif_image* image);

// Creates `out` (after the size caps) and fills it from `image`. On failure
// `out` holds the message and the result is false.
bool CopyHeifPixels(const heif_image* image, bool premultipliedAlpha, Image& out);

}  // namespace imaging::codecs
