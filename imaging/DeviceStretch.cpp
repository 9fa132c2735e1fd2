#include "imaging/DeviceStretch.h"

#include <cstring>

#include "imaging/Nibble.h"
#include "imaging/Rastola.h"

namespace imaging {

namespace {

using namespace drawing;

// Windows-1252 texts of the second fallback's message boxes ("Funtkion" is
// the program's own spelling).
constexpr const char* kNoBitmap = "Konnte Bitmap nicht erzeugen!";
constexpr const char* kNoSetDIBits = "Das Ger\xE4t unterst\xFCtzt die Funtkion setdibits nicht!";
constexpr const char* kNoStretchBlt = "Das Ger\xE4t unterst\xFCtzt die Funktion StretchBlt nicht!";

// Source index of target index i out of `count`: first maps to first and
// last to last. A single target takes the first source.
int32_t SpreadIndex(int32_t i, int32_t count, int32_t sourceCount, int32_t sourceStart) {
  if (count < 2) return sourceStart;
  return static_cast<int32_t>(int64_t{sourceCount - 1} * i / (count - 1)) + sourceStart;
}

void CopyScaledRow(const RasterImage& image, const RasterImage& scaled, const DrawRect& r, int32_t y, int32_t sy) {
  const uint32_t bits = DibBitCount(image);
  const uint8_t* in = image.Pixels + int64_t{sy} * image.Stride;
  uint8_t* out = scaled.Pixels + int64_t{y} * scaled.Stride;
  const int32_t bytes = static_cast<int32_t>(bits / 8);
  for (int32_t x = 0; x < r.destWidth; ++x) {
    const int32_t sx = SpreadIndex(x, r.destWidth, r.srcWidth, r.srcX);
    if (bits == 1) {
      setpixel(scaled, x, y, getpixel(image, sx, sy));
    } else if (bits == 4) {
      OrNibble(out, x, NibbleAt(in, sx));
    } else {
      // Whole bytes per pixel (8, 16, 24, 32 bits): 16- and 32-bit pictures
      // are copied too, rather than drawn as a blank rectangle.
      std::memcpy(out + int64_t{x} * bytes, in + int64_t{sx} * bytes, bytes);
    }
  }
}

enum class Outcome { Drawn, Failed, NoTemporary };

// First fallback: scale in software into a temporary picture of the
// destination's size, then copy that unscaled.
Outcome DrawScaledCopy(DeviceContext& dc, const DrawRect& r, const RasterImage& image) {
  const uint32_t colours = DibColourCount(image);
  Image scaled;
  newdib(&scaled, r.destWidth, r.destHeight, static_cast<int32_t>(DibBitCount(image)), image.Info,
         colours > 256 ? 0 : static_cast<int32_t>(colours));
  const RasterImage& s = *scaled;
  if (!s.Pixels) return Outcome::NoTemporary;
  for (int32_t y = 0; y < r.destHeight; ++y) {
    CopyScaledRow(image, s, r, y, SpreadIndex(y, r.destHeight, r.srcHeight, r.srcY));
  }
  const int32_t drawn = dc.SetDIBitsToDevice(r.x, r.y, r.destWidth, r.destHeight, 0, 0, 0,
                                             static_cast<uint32_t>(r.destHeight), s.Pixels, s.Info, DIB_RGB_COLORS);
  return drawn != 0 ? Outcome::Drawn : Outcome::Failed;
}

// Second fallback: a device-dependent bitmap of the whole picture, stretched
// from a memory context. StretchBlt counts rows from the top of the bitmap.
void DrawThroughBitmap(DeviceContext& dc, const DrawRect& r, const RasterImage& image, uint32_t rop) {
  const int32_t height = DibHeight(image);
  const auto bitmap = dc.CreateCompatibleBitmap(DibWidth(image), height);
  if (!bitmap) {
    dc.ShowDeviceMessage(kNoBitmap);
    return;
  }
  const auto memory = dc.CreateCompatibleDC();
  if (dc.SetDIBits(*memory, *bitmap, 0, static_cast<uint32_t>(height), image.Pixels, image.Info, DIB_RGB_COLORS) == 0) {
    dc.ShowDeviceMessage(kNoSetDIBits);
    return;
  }
  CompatibleBitmap* previous = memory->SelectBitmap(bitmap.get());
  const int32_t srcTop = height - r.srcY - r.srcHeight;
  if (!dc.StretchBlt(r.x, r.y, r.destWidth, r.destHeight, *memory, r.srcX, srcTop, r.srcWidth, r.srcHeight, rop)) {
    dc.ShowDeviceMessage(kNoStretchBlt);
  }
  memory->SelectBitmap(previous);
}

}  // namespace

void DrawByDevice(DeviceContext& dc, const DrawRect& r, const RasterImage& image, uint32_t rop) {
  const bool dibToDevice = (dc.RasterCaps() & RC_DIBTODEV) != 0;
  const int32_t result = dc.StretchDIBits(r.x, r.y, r.destWidth, r.destHeight, r.srcX, r.srcY, r.srcWidth, r.srcHeight,
                                          image.Pixels, image.Info, DIB_RGB_COLORS, rop);
  if (result != GDI_ERROR) return;
  if (dibToDevice) {
    const Outcome outcome = DrawScaledCopy(dc, r, image);
    // Without the temporary picture the drawing ends; the device is untouched.
    if (outcome != Outcome::Failed) return;
  }
  DrawThroughBitmap(dc, r, image, rop);
}

}  // namespace imaging
