#pragma once
// A device context over a QPainter: widgets, print previews and QPrinter
// pages. DIB pixels of every depth, with their colour tables, are drawn
// through QImage; scaling is nearest-neighbour, as COLORONCOLOR asks.
#include <QPainter>
#include <QRect>
#include <optional>

#include "drawing/DeviceContext.h"
#include "platform/Messages.h"

namespace drawing {

class PainterDeviceContext : public DeviceContext {
 public:
  // `painter` is active for the whole life of this object. The kind is
  // Printer when the painter draws on a QPrinter. Device messages go to
  // `messages`, or to ownerless message boxes when it is null.
  explicit PainterDeviceContext(QPainter& painter, platform::Messages* messages = nullptr);

  void SetKind(DeviceKind kind) { kind_ = kind; }
  // Limits the clip box further, in the painter's coordinates. The clip box
  // already follows the painter's clipping and, in a widget's paint event,
  // the exposed region, so a zoomed picture costs only what is visible.
  void SetClipBox(const QRect& area) { extraClip_ = area; }

  DeviceKind Kind() const override { return kind_; }
  uint32_t RasterCaps() const override { return RC_DIBTODEV | RC_STRETCHDIB | RC_STRETCHBLT; }
  int32_t SetStretchBltMode(int32_t mode) override;
  HPALETTE SelectPalette(HPALETTE palette, bool forceBackground) override;
  uint32_t RealizePalette() override { return 0; }
  int32_t StretchDIBits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
                        int32_t srcWidth, int32_t srcHeight, const void* bits, const BITMAPINFO* info, uint32_t usage,
                        uint32_t rop) override;
  int32_t SetDIBitsToDevice(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
                            uint32_t startScan, uint32_t lines, const void* bits, const BITMAPINFO* info,
                            uint32_t usage) override;
  std::unique_ptr<CompatibleBitmap> CreateCompatibleBitmap(int32_t width, int32_t height) override;
  std::unique_ptr<MemoryBitmapDC> CreateCompatibleDC() override;
  int32_t SetDIBits(MemoryBitmapDC& memoryDC, CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines,
                    const void* bits, const BITMAPINFO* info, uint32_t usage) override;
  bool StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const MemoryBitmapDC& source, int32_t srcX,
                  int32_t srcY, int32_t srcWidth, int32_t srcHeight, uint32_t rop) override;
  DeviceRect ClipBox() const override;
  void ShowDeviceMessage(const std::string& text) override;

 private:
  QPainter& painter_;
  platform::Messages* messages_;
  DeviceKind kind_;
  int32_t stretchMode_ = 1;
  HPALETTE palette_;
  std::optional<QRect> extraClip_;
};

// The primary screen's colour depth; the desktop program installs it with
// SetScreenBitsPerPixelQuery.
int32_t QtScreenBitsPerPixel();

}  // namespace drawing
