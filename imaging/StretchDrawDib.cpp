// The one routine that draws pictures onto screens and printers.
#include "imaging/StretchDrawDib.h"

#include "imaging/DeviceStretch.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

using namespace drawing;

enum class DrawPath { Halftone, Rows24, Rows8, DeviceStretch };

DrawPath ChoosePath(uint32_t bits, bool isPrinter, bool halftone) {
  if (bits == 24 && ScreenBitsPerPixel() <= 8 && halftone) return DrawPath::Halftone;
  if (bits == 24 && !isPrinter) return DrawPath::Rows24;
  if (bits == 8 && !isPrinter) return DrawPath::Rows8;
  return DrawPath::DeviceStretch;
}

// Clips the source rectangle to the picture, shrinking the destination in
// proportion; right, bottom, top, left in that order. False when nothing of
// the source is left to draw.
bool ClipToPicture(DrawRect& r, int32_t width, int32_t height) {
  if (r.srcWidth < 1 || r.srcHeight < 1 || r.destWidth < 1 || r.destHeight < 1) return false;
  if (width < int64_t{r.srcX} + r.srcWidth) {
    const int32_t c = width - r.srcX;
    r.destWidth = Nearest(int64_t{r.destWidth} * c, r.srcWidth);
    r.srcWidth = c;
    if (r.srcWidth < 1) return false;
  }
  if (r.srcY < 0) {
    // The rows lost are at the bottom of the destination: Y stays.
    r.destHeight = Nearest((int64_t{r.srcHeight} + r.srcY) * r.destHeight, r.srcHeight);
    r.srcHeight += r.srcY;
    r.srcY = 0;
    if (r.srcHeight < 1) return false;
  }
  if (height < int64_t{r.srcY} + r.srcHeight) {
    const int32_t c = height - r.srcY;
    const int32_t n = Nearest(int64_t{r.destHeight} * c, r.srcHeight);
    r.y += r.destHeight - n;
    r.destHeight = n;
    r.srcHeight = c;
    if (r.srcHeight < 1) return false;
  }
  if (r.srcX < 0) {
    const int32_t n = Nearest((int64_t{r.srcX} + r.srcWidth) * r.destWidth, r.srcWidth);
    r.x += r.destWidth - n;
    r.destWidth = n;
    r.srcWidth += r.srcX;
    r.srcX = 0;
    if (r.srcWidth < 1) return false;
  }
  return r.destWidth >= 1 && r.destHeight >= 1;
}

// A 24-bit picture on a palette display: draw a dithered copy, made at the
// reduced size when the picture is shrunk so it is no larger than needed.
void DrawHalftoned(DeviceContext& dc, const DrawRect& r, const RasterImage& image, uint32_t rop, HPALETTE palette) {
  const int32_t width = DibWidth(image);
  const int32_t height = DibHeight(image);
  const bool reduced = r.srcWidth > r.destWidth || r.destHeight < r.srcHeight;
  Image copy;
  if (reduced) {
    DIBHalftoneDIBXY(&copy, image, Nearest(int64_t{width} * r.destWidth, r.srcWidth),
                     Nearest(int64_t{height} * r.destHeight, r.srcHeight));
  } else {
    DIBHalftoneDIB(&copy, image);
  }
  const RasterImage& t = *copy;
  if (!t.Pixels || !t.Info) return;

  const HPALETTE replaced = dc.SelectPalette(palette, false);
  dc.RealizePalette();
  if (reduced) {
    // One-to-one copy of the part of the reduced picture that matches the source.
    dc.StretchDIBits(r.x, r.y, r.destWidth, r.destHeight, Nearest(int64_t{r.srcX} * DibWidth(t), width),
                     Nearest(int64_t{r.srcY} * DibHeight(t), height), r.destWidth, r.destHeight, t.Pixels, t.Info,
                     DIB_RGB_COLORS, rop);
  } else {
    dc.StretchDIBits(r.x, r.y, r.destWidth, r.destHeight, r.srcX, r.srcY, r.srcWidth, r.srcHeight, t.Pixels, t.Info,
                     DIB_RGB_COLORS, rop);
  }
  dc.SelectPalette(replaced, false);
}

}  // namespace

void StretchDrawDib(DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                    const RasterImage& image, int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight,
                    bool halftone, uint32_t rop, bool useOwnPalette, HPALETTE palette) {
  const bool isPrinter = dc.Kind() == DeviceKind::Printer;
  dc.SetStretchBltMode(COLORONCOLOR);
  if (!image.Info || !image.Pixels) return;
  const int32_t width = DibWidth(image);
  const int32_t height = DibHeight(image);
  DrawRect r{x, y, destWidth, destHeight, srcX, srcY, srcWidth, srcHeight};
  if (!ClipToPicture(r, width, height)) return;

  const HPALETTE chosen = useOwnPalette ? image.PaletteHandle : palette;
  const bool hasPalette = image.HasPalette == 1;
  HPALETTE previous = nullptr;
  if (hasPalette) {
    previous = dc.SelectPalette(chosen, false);
    dc.RealizePalette();
  }
  switch (ChoosePath(DibBitCount(image), isPrinter, halftone)) {
    case DrawPath::Halftone:
      DrawHalftoned(dc, r, image, rop, chosen);
      break;
    case DrawPath::Rows24:
      DrawDibRows24(dc, r.x, r.y, r.destWidth, r.destHeight, image, r.srcX, height - r.srcY - r.srcHeight, r.srcWidth,
                    r.srcHeight);
      break;
    case DrawPath::Rows8:
      DrawDibRows8(dc, r.x, r.y, r.destWidth, r.destHeight, image, r.srcX, height - r.srcY - r.srcHeight, r.srcWidth,
                   r.srcHeight);
      break;
    case DrawPath::DeviceStretch:
      DrawByDevice(dc, r, image, rop);
      break;
  }
  if (hasPalette) dc.SelectPalette(previous, false);
}

}  // namespace imaging
