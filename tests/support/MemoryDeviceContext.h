#pragma once
// A device context that draws into a pixel buffer, for tests: device kind,
// raster capabilities, desktop depth and clip box are settable, each GDI call
// can be made to fail, and every call is recorded, so a test can drive any
// path of the drawing routine and see which one ran and what each pixel got.
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/DeviceContext.h"

namespace drawing {

struct RecordedCall {
  std::string name;
  std::vector<int64_t> args;
  bool operator==(const RecordedCall&) const = default;
};

// Failure injection: each flag makes that call fail the way GDI reports it.
struct DeviceFailures {
  bool stretchDIBits = false;           // returns GDI_ERROR
  bool setDIBitsToDevice = false;       // returns 0
  bool createCompatibleBitmap = false;  // returns null
  bool setDIBits = false;               // returns 0
  bool stretchBlt = false;              // returns false
};

class MemoryDeviceContext : public DeviceContext {
 public:
  // A width x height surface of 24-bit colours (0x00RRGGBB), all `fill`.
  MemoryDeviceContext(int32_t width, int32_t height, uint32_t fill = 0);
  // Restores the desktop depth query that was in place before SetDesktopBitsPerPixel.
  ~MemoryDeviceContext() override;
  MemoryDeviceContext(const MemoryDeviceContext&) = delete;
  MemoryDeviceContext& operator=(const MemoryDeviceContext&) = delete;

  void SetKind(DeviceKind kind) { kind_ = kind; }
  void SetRasterCaps(uint32_t caps) { rasterCaps_ = caps; }
  void SetClipBox(const DeviceRect& clip) { clip_ = clip; }
  // Makes ScreenBitsPerPixel answer `bits` while this device lives.
  void SetDesktopBitsPerPixel(int32_t bits);
  DeviceFailures& Failures() { return failures_; }

  uint32_t Pixel(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t StretchMode() const { return stretchMode_; }
  HPALETTE SelectedPalette() const { return palette_; }

  const std::vector<RecordedCall>& Calls() const { return calls_; }
  // The recorded calls of one name, in order.
  std::vector<RecordedCall> CallsNamed(const std::string& name) const;
  void ClearCalls() { calls_.clear(); }

  DeviceKind Kind() const override { return kind_; }
  uint32_t RasterCaps() const override { return rasterCaps_; }
  int32_t SetStretchBltMode(int32_t mode) override;
  HPALETTE SelectPalette(HPALETTE palette, bool forceBackground) override;
  uint32_t RealizePalette() override;
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
  DeviceRect ClipBox() const override { return clip_; }
  void ShowDeviceMessage(const std::string& text) override { messages_.push_back(text); }
  // The texts of the message boxes shown, in order.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * width_ + x; }
  void Record(const char* name, std::vector<int64_t> args) { calls_.push_back({name, std::move(args)}); }
  // Nearest-neighbour stretch of a source of srcWidth x srcHeight samples
  // into the destination, within the clip box; `sample` gets (column, row
  // from the top of the source rectangle).
  template <typename Sample>
  void Stretch(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcWidth, int32_t srcHeight, Sample sample);

  int32_t width_;
  int32_t height_;
  std::vector<uint32_t> pixels_;
  DeviceKind kind_ = DeviceKind::Display;
  uint32_t rasterCaps_ = RC_DIBTODEV | RC_STRETCHDIB | RC_STRETCHBLT;
  DeviceRect clip_;
  int32_t stretchMode_ = 1;  // BLACKONWHITE, the GDI default
  HPALETTE palette_;
  DeviceFailures failures_;
  std::vector<RecordedCall> calls_;
  std::vector<std::string> messages_;
  bool ownsDepthQuery_ = false;
  ScreenDepthQuery previousDepthQuery_;
};

}  // namespace drawing
