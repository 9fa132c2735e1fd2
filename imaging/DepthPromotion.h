#pragma once
#include "imaging/RasterImage.h"

namespace imaging {

// Turns a 1-, 4- or 8-bit image into a 24-bit one in place: the old image is
// freed and the record describes the new one. Other depths, or no memory for
// the new image, leave the record unchanged (the caller checks DibBitCount).
void DepthUpTo24(RasterImage& image);

}  // namespace imaging
