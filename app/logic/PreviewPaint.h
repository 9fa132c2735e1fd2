#pragma once
// The preview pane's arithmetic and drawing, kept apart from its widget so it
// is tested without a display.
#include <cstdint>

#include "drawing/DeviceContext.h"
#include "imaging/RasterImage.h"

namespace app {

struct DrawSize {
  int32_t width;
  int32_t height;
  bool operator==(const DrawSize&) const = default;
};

/// The preview pane's picture size: the picture fitted into the pane with
/// its proportions kept (drawn from the top-left corner).
DrawSize PreviewDrawSize(int32_t paneWidth, int32_t paneHeight, int32_t pictureWidth, int32_t pictureHeight);

/// The preview pane's paint handler: draws `preview` fitted into a pane of
/// paneWidth x paneHeight at its top-left corner, with its own palette.
/// The rest of the pane is left as it is.
void DibPrevPaintPaint(drawing::DeviceContext& dc, int32_t paneWidth, int32_t paneHeight,
                       const imaging::RasterImage& preview);

}  // namespace app
