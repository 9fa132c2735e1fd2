#pragma once
// The device context the drawing routine StretchDrawDib draws through, in
// place of a Windows HDC: a screen widget, a print preview or a printer page
// (drawing/qt/PainterDeviceContext.h), or a pixel buffer for tests
// (tests/support/MemoryDeviceContext.h). Calls keep the GDI argument orders and
// results so the routine reads as the Windows one does.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drawing/Dib.h"

namespace drawing {

inline constexpr int32_t GDI_ERROR = -1;  // all 32 bits set
inline constexpr uint32_t RC_DIBTODEV = 0x0200;
inline constexpr uint32_t RC_STRETCHBLT = 0x0800;
inline constexpr uint32_t RC_STRETCHDIB = 0x2000;
inline constexpr uint32_t DIB_RGB_COLORS = 0;
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr int32_t COLORONCOLOR = 3;

// What GetDeviceCaps(TECHNOLOGY) tells apart.
enum class DeviceKind { Display, Printer };

// A rectangle in device units; right and bottom are exclusive.
struct DeviceRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const DeviceRect&) const = default;
};

// A device-dependent bitmap (CreateCompatibleBitmap): colours 0x00RRGGBB,
// top row first.
struct CompatibleBitmap {
  CompatibleBitmap(int32_t width, int32_t height)
      : width(width), height(height), pixels(static_cast<size_t>(width) * static_cast<size_t>(height)) {}
  int32_t width;
  int32_t height;
  std::vector<uint32_t> pixels;
};

// A memory device context (CreateCompatibleDC): holds the selected bitmap
// that StretchBlt reads from.
class MemoryBitmapDC {
 public:
  // Returns the previously selected bitmap (none at first).
  CompatibleBitmap* SelectBitmap(CompatibleBitmap* bitmap) { return std::exchange(selected_, bitmap); }
  const CompatibleBitmap* Selected() const { return selected_; }

 private:
  CompatibleBitmap* selected_ = nullptr;
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  virtual DeviceKind Kind() const = 0;
  // GetDeviceCaps(RASTERCAPS): RC_DIBTODEV and friends.
  virtual uint32_t RasterCaps() const = 0;
  // Returns the previous mode.
  virtual int32_t SetStretchBltMode(int32_t mode) = 0;
  // Selects a logical palette and returns the one it replaced. A null
  // palette is refused (returns null, changes nothing), as GDI does.
  virtual HPALETTE SelectPalette(HPALETTE palette, bool forceBackground) = 0;
  virtual uint32_t RealizePalette() = 0;

  // Draws the DIB source rectangle (srcY counts rows from the bottom) scaled
  // into the destination rectangle. Returns the number of scan lines, or
  // GDI_ERROR when the device cannot do it.
  virtual int32_t StretchDIBits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
                                int32_t srcWidth, int32_t srcHeight, const void* bits, const BITMAPINFO* info,
                                uint32_t usage, uint32_t rop) = 0;
  // Copies DIB rows unscaled: `lines` scan lines starting at scan line
  // `startScan` are held by `bits`. Returns the lines drawn, 0 on failure.
  virtual int32_t SetDIBitsToDevice(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
                                    uint32_t startScan, uint32_t lines, const void* bits, const BITMAPINFO* info,
                                    uint32_t usage) = 0;

  // The second fallback: a device-dependent bitmap filled from the DIB and
  // stretched from a memory context. Null when no bitmap can be made.
  virtual std::unique_ptr<CompatibleBitmap> CreateCompatibleBitmap(int32_t width, int32_t height) = 0;
  virtual std::unique_ptr<MemoryBitmapDC> CreateCompatibleDC() = 0;
  // Stores DIB rows into `bitmap` (made by this device); 0 on failure.
  virtual int32_t SetDIBits(MemoryBitmapDC& memoryDC, CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines,
                            const void* bits, const BITMAPINFO* info, uint32_t usage) = 0;
  // Stretches a rectangle of the memory context's bitmap (rows counted from
  // its top) into the destination. False on failure.
  virtual bool StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const MemoryBitmapDC& source,
                          int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight, uint32_t rop) = 0;

  // GetClipBox: the part of the device that drawing can change.
  virtual DeviceRect ClipBox() const = 0;

  // A message box about what the device cannot do: no owner window, the
  // system's default caption, an OK button. Text is Windows-1252.
  virtual void ShowDeviceMessage(const std::string& text) = 0;
};

// The palette every device context starts with (the stock default palette).
HPALETTE DefaultPalette();

// The desktop's colour depth in bits per pixel. The query is replaceable:
// the desktop program installs the screen's, tests pose as a palette display.
// Until one is installed it answers 32.
using ScreenDepthQuery = std::function<int32_t()>;
int32_t ScreenBitsPerPixel();
// Installs a query (null restores the default) and returns the previous one.
ScreenDepthQuery SetScreenBitsPerPixelQuery(ScreenDepthQuery query);

}  // namespace drawing
