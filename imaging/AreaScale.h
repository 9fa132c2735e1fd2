#pragma once
// Downscaling by area average: every target pixel is the mean of the source
// area it covers, partly covered source pixels weighted by their share. Fine
// detail (a checkerboard, text, fabric) turns into its average colour
// instead of the moiré and jagged edges of nearest-neighbour sampling.
#include <cstdint>

#include "imaging/Image.h"

namespace imaging {

struct ScaledSize {
  int32_t Width = 0, Height = 0;
};

// The size of a width x height picture whose longer side is at most
// `longEdge`, proportions kept (to the nearest pixel, at least 1); never
// larger than the picture itself.
ScaledSize FitLongEdge(int32_t width, int32_t height, int32_t longEdge);

// A new 24-bit image of newWidth x newHeight from a 24-bit source. Sides are
// never enlarged: a side larger than the source's is taken as the source's.
// The Image stays empty for another depth, a side below 1 or no memory.
Image AreaScale(const RasterImage& source, int32_t newWidth, int32_t newHeight);

}  // namespace imaging
