#pragma once
#include <cstdint>

#include "imaging/Image.h"

namespace imaging {

// Nearest-neighbour resampling into a new image of the source's depth, with
// 10-bit fixed-point steps. A new width or height below 1 gives an empty
// Image.
Image Resize(const RasterImage& source, int32_t newWidth, int32_t newHeight);

}  // namespace imaging
