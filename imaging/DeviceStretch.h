#pragma once
// Internals of StretchDrawDib shared between its source files.
#include <cmath>
#include <cstdint>

#include "drawing/DeviceContext.h"
#include "imaging/RasterImage.h"

namespace imaging {

// Destination and source rectangles of one drawing; srcY counts rows from
// the bottom of the picture.
struct DrawRect {
  int32_t x, y, destWidth, destHeight;
  int32_t srcX, srcY, srcWidth, srcHeight;
};

// An exact integer product divided in floating point, the quotient taken to
// the nearest integer with halves to the even neighbour.
inline int32_t Nearest(int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(numerator) / static_cast<double>(denominator)));
}

// Draws by the device's own bitmap stretching, with two fallbacks for
// devices that cannot stretch bitmaps: software scaling copied unscaled, then
// a device-dependent bitmap stretched from a memory context.
void DrawByDevice(drawing::DeviceContext& dc, const DrawRect& r, const RasterImage& image, uint32_t rop);

}  // namespace imaging
