#pragma once
#include <cstdint>

#include "imaging/RasterImage.h"

namespace imaging {

// Nearest-neighbour resampling into a new image of the source's depth, with
// 10-bit fixed-point steps. The caller frees the result with deldib. A new
// width or height below 1 gives a record with Pixels nil.
void Resize(const RasterImage& source, int32_t newWidth, int32_t newHeight, RasterImage& result);

}  // namespace imaging
