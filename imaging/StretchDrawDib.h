#pragma once
// Drawing a picture into a rectangle of a screen, print preview or printer
// device. Every picture the program shows or prints goes through
// StretchDrawDib; it picks the method by device and picture depth.
#include <cstdint>

#include "drawing/DeviceContext.h"
#include "imaging/RasterImage.h"

namespace imaging {

using drawing::ScreenBitsPerPixel;

/// Draws the source rectangle of `image` (srcY counts rows from the bottom
/// row of the picture, as StretchDIBits does) scaled into the destination
/// rectangle of `dc`. The source is first clipped to the picture, shrinking
/// the destination in proportion. `halftone` allows a dithered copy for
/// 24-bit pictures on displays of 8 bits or fewer; `useOwnPalette` selects
/// the picture's palette, otherwise `palette`. Leaves the stretch mode at
/// COLORONCOLOR and the selected palette as it was. Callers pass the whole
/// picture (0, 0, width, height) and SRCCOPY.
void StretchDrawDib(drawing::DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                    const RasterImage& image, int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight,
                    bool halftone, uint32_t rop, bool useOwnPalette, HPALETTE palette);

/// The row-by-row nearest-neighbour scalers for 24- and 8-bit pictures on
/// displays. srcTop is the top row of the source rectangle counted from the
/// top of the picture. Source rows outside the picture are drawn black
/// (colour index 0), columns outside it stay black. Only output rows and
/// columns inside the device's clip box are drawn.
void DrawDibRows24(drawing::DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                   const RasterImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight);
void DrawDibRows8(drawing::DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                  const RasterImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight);

}  // namespace imaging
