#include "drawing/DibPixels.h"

#include <algorithm>

namespace drawing {

namespace {

uint32_t TableColour(const BITMAPINFO& info, uint32_t index) {
  const RGBQUAD& q = info.bmiColors[index & 255];
  return (uint32_t{q.rgbRed} << 16) | (uint32_t{q.rgbGreen} << 8) | q.rgbBlue;
}

// 5 bits to 8, as GDI widens 5-5-5 pixels.
uint32_t Widen5(uint32_t v) { return (v << 3) | (v >> 2); }

}  // namespace

DibReader::DibReader(const BITMAPINFO* info, const void* bits, uint32_t lines)
    : info_(info), bits_(static_cast<const uint8_t*>(bits)) {
  if (!info || !bits) return;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int32_t depth = h.biBitCount;
  const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
  if (!knownDepth || h.biCompression != BI_RGB || h.biWidth < 1 || h.biHeight < 1) return;
  width_ = h.biWidth;
  bitCount_ = depth;
  stride_ = DibStride(width_, depth);
  lines_ = static_cast<int32_t>(std::min<int64_t>(lines, h.biHeight));
  valid_ = true;
}

uint32_t DibReader::Rgb(int32_t x, int32_t row) const {
  const uint8_t* line = bits_ + row * stride_;
  switch (bitCount_) {
    case 1:
      return TableColour(*info_, (line[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return TableColour(*info_, (x % 2 == 0) ? line[x / 2] >> 4 : line[x / 2] & 15);
    case 8:
      return TableColour(*info_, line[x]);
    case 16: {
      const uint32_t v = line[2 * x] | (uint32_t{line[2 * x + 1]} << 8);
      return (Widen5((v >> 10) & 31) << 16) | (Widen5((v >> 5) & 31) << 8) | Widen5(v & 31);
    }
    case 24:
      return (uint32_t{line[3 * x + 2]} << 16) | (uint32_t{line[3 * x + 1]} << 8) | line[3 * x];
    default:
      return (uint32_t{line[4 * x + 2]} << 16) | (uint32_t{line[4 * x + 1]} << 8) | line[4 * x];
  }
}

std::optional<DibBlock> SetDIBitsToDeviceBlock(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                               int32_t srcY, uint32_t startScan, const DibReader& dib,
                                               int32_t dibHeight) {
  if (!dib.Valid() || width < 1 || height < 1) return std::nullopt;
  // Destination row j shows DIB row (from the bottom) srcY + height - 1 - j;
  // only rows held in memory, [startScan, startScan + lines), have pixels.
  const int64_t lowestRow = std::max<int64_t>({srcY, startScan, 0});
  const int64_t highestRow =
      std::min<int64_t>({int64_t{srcY} + height - 1, int64_t{startScan} + dib.Lines() - 1, dibHeight - 1});
  const int64_t firstColumn = std::max<int64_t>(srcX, 0);
  const int64_t endColumn = std::min<int64_t>(int64_t{srcX} + width, dib.Width());
  if (highestRow < lowestRow || endColumn <= firstColumn) return std::nullopt;
  DibBlock block;
  block.destX = static_cast<int32_t>(x + (firstColumn - srcX));
  block.destY = static_cast<int32_t>(y + (int64_t{srcY} + height - 1 - highestRow));
  block.width = static_cast<int32_t>(endColumn - firstColumn);
  block.height = static_cast<int32_t>(highestRow - lowestRow + 1);
  block.srcX = static_cast<int32_t>(firstColumn);
  block.topMemoryRow = static_cast<int32_t>(highestRow - startScan);
  return block;
}

std::unique_ptr<CompatibleBitmap> MakeCompatibleBitmap(int32_t width, int32_t height) {
  constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;
  if (width < 1 || height < 1 || int64_t{width} * height > kMaxBitmapPixels) return nullptr;
  return std::make_unique<CompatibleBitmap>(width, height);
}

int32_t StoreDibInBitmap(CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines, const void* bits,
                         const BITMAPINFO* info) {
  const DibReader dib(info, bits, lines);
  if (!dib.Valid()) return 0;
  const int32_t width = std::min(dib.Width(), bitmap.width);
  int32_t stored = 0;
  for (int32_t row = 0; row < dib.Lines(); ++row) {
    const int64_t bitmapRow = int64_t{bitmap.height} - 1 - startScan - row;
    if (bitmapRow < 0 || bitmapRow >= bitmap.height) continue;
    uint32_t* out = bitmap.pixels.data() + bitmapRow * bitmap.width;
    for (int32_t x = 0; x < width; ++x) out[x] = dib.Rgb(x, row);
    ++stored;
  }
  return stored;
}

DeviceRect Intersect(const DeviceRect& a, const DeviceRect& b) {
  return DeviceRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

}  // namespace drawing
