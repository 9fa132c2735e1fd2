#pragma once
// Reading device-independent bitmaps the way the GDI calls do, for the
// device contexts that stand in for GDI.
#include <cstdint>
#include <memory>
#include <optional>

#include "drawing/DeviceContext.h"
#include "drawing/Dib.h"

namespace drawing {

// Colours of an uncompressed bottom-up DIB of 1, 4, 8, 16 (5-5-5), 24 or 32
// bits whose memory holds `lines` scan lines.
class DibReader {
 public:
  DibReader(const BITMAPINFO* info, const void* bits, uint32_t lines);

  // False for a missing or unsupported DIB; nothing may be read then.
  bool Valid() const { return valid_; }
  int32_t Width() const { return width_; }
  int32_t Lines() const { return lines_; }
  int64_t Stride() const { return stride_; }
  int32_t BitCount() const { return bitCount_; }

  // 0x00RRGGBB of column x of memory row `row` (0 is the first line held).
  uint32_t Rgb(int32_t x, int32_t row) const;

 private:
  const BITMAPINFO* info_ = nullptr;
  const uint8_t* bits_ = nullptr;
  bool valid_ = false;
  int32_t width_ = 0;
  int32_t lines_ = 0;
  int32_t bitCount_ = 0;
  int64_t stride_ = 0;
};

// The part of a SetDIBitsToDevice call that has source pixels: a block of
// the destination and where its top row lies in the DIB memory. Lower
// destination rows come from lower memory rows (the DIB is bottom-up).
struct DibBlock {
  int32_t destX, destY, width, height;
  int32_t srcX;          // first column read
  int32_t topMemoryRow;  // memory row of the block's top row
};

std::optional<DibBlock> SetDIBitsToDeviceBlock(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                               int32_t srcY, uint32_t startScan, const DibReader& dib,
                                               int32_t dibHeight);

// CreateCompatibleBitmap for devices that keep bitmaps in memory: null for
// an empty size or one larger than a picture may be.
std::unique_ptr<CompatibleBitmap> MakeCompatibleBitmap(int32_t width, int32_t height);

// SetDIBits: stores DIB scan lines into a device-dependent bitmap (scan line
// 0 is its bottom row). Returns the lines stored, 0 when none could be.
int32_t StoreDibInBitmap(CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines, const void* bits,
                         const BITMAPINFO* info);

// Intersection of two rectangles; empty ones have right <= left or bottom <= top.
DeviceRect Intersect(const DeviceRect& a, const DeviceRect& b);

}  // namespace drawing
