// The preview pane's paint arithmetic and drawing.
#include "app/logic/PreviewPaint.h"

#include "imaging/StretchDrawDib.h"

namespace app {

DrawSize PreviewDrawSize(int32_t paneWidth, int32_t paneHeight, int32_t pictureWidth, int32_t pictureHeight) {
  if (pictureWidth < 1 || pictureHeight < 1) return DrawSize{0, 0};
  // Fit the width first; if the picture is then too tall, fit the height.
  const auto fittedHeight = static_cast<int32_t>(int64_t{paneWidth} * pictureHeight / pictureWidth);
  if (paneHeight < fittedHeight) {
    return DrawSize{static_cast<int32_t>(int64_t{paneHeight} * pictureWidth / pictureHeight), paneHeight};
  }
  return DrawSize{paneWidth, fittedHeight};
}

void DibPrevPaintPaint(drawing::DeviceContext& dc, int32_t paneWidth, int32_t paneHeight,
                       const imaging::RasterImage& preview) {
  if (!preview.Info || !preview.Pixels) return;
  const int32_t width = imaging::DibWidth(preview);
  const int32_t height = imaging::DibHeight(preview);
  const DrawSize size = PreviewDrawSize(paneWidth, paneHeight, width, height);
  imaging::StretchDrawDib(dc, 0, 0, size.width, size.height, preview, 0, 0, width, height, true, drawing::SRCCOPY, true,
                          nullptr);
}

}  // namespace app
