#include "support/MemoryDeviceContext.h"

#include <cstdint>
#include <optional>

#include "drawing/DibPixels.h"

namespace drawing {

namespace {

int64_t Handle(const void* pointer) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer)); }

}  // namespace

MemoryDeviceContext::MemoryDeviceContext(int32_t width, int32_t height, uint32_t fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, fill),
      clip_{0, 0, width, height},
      palette_(DefaultPalette()) {}

MemoryDeviceContext::~MemoryDeviceContext() {
  if (ownsDepthQuery_) SetScreenBitsPerPixelQuery(std::move(previousDepthQuery_));
}

void MemoryDeviceContext::SetDesktopBitsPerPixel(int32_t bits) {
  ScreenDepthQuery previous = SetScreenBitsPerPixelQuery([bits] { return bits; });
  if (!ownsDepthQuery_) previousDepthQuery_ = std::move(previous);
  ownsDepthQuery_ = true;
}

std::vector<RecordedCall> MemoryDeviceContext::CallsNamed(const std::string& name) const {
  std::vector<RecordedCall> named;
  for (const RecordedCall& call : calls_) {
    if (call.name == name) named.push_back(call);
  }
  return named;
}

int32_t MemoryDeviceContext::SetStretchBltMode(int32_t mode) {
  Record("SetStretchBltMode", {mode});
  return std::exchange(stretchMode_, mode);
}

HPALETTE MemoryDeviceContext::SelectPalette(HPALETTE palette, bool forceBackground) {
  Record("SelectPalette", {Handle(palette), forceBackground});
  if (!palette) return nullptr;
  return std::exchange(palette_, palette);
}

uint32_t MemoryDeviceContext::RealizePalette() {
  Record("RealizePalette", {Handle(palette_)});
  return 0;
}

template <typename Sample>
void MemoryDeviceContext::Stretch(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcWidth,
                                  int32_t srcHeight, Sample sample) {
  const DeviceRect visible = Intersect(clip_, DeviceRect{0, 0, width_, height_});
  for (int32_t j = 0; j < height; ++j) {
    const int64_t dy = int64_t{y} + j;
    if (dy < visible.top || dy >= visible.bottom) continue;
    const auto row = static_cast<int32_t>(int64_t{j} * srcHeight / height);
    for (int32_t i = 0; i < width; ++i) {
      const int64_t dx = int64_t{x} + i;
      if (dx < visible.left || dx >= visible.right) continue;
      const auto column = static_cast<int32_t>(int64_t{i} * srcWidth / width);
      if (const auto colour = sample(column, row)) {
        pixels_[Index(static_cast<int32_t>(dx), static_cast<int32_t>(dy))] = *colour;
      }
    }
  }
}

int32_t MemoryDeviceContext::StretchDIBits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                           int32_t srcY, int32_t srcWidth, int32_t srcHeight, const void* bits,
                                           const BITMAPINFO* info, uint32_t usage, uint32_t rop) {
  Record("StretchDIBits",
         {x, y, width, height, srcX, srcY, srcWidth, srcHeight, info ? info->bmiHeader.biBitCount : 0, usage, rop});
  const DibReader dib(info, bits, info ? static_cast<uint32_t>(info->bmiHeader.biHeight) : 0);
  if (failures_.stretchDIBits || !dib.Valid()) return GDI_ERROR;
  if (width < 1 || height < 1 || srcWidth < 1 || srcHeight < 1) return 0;
  // Row 0 of the destination shows the top row of the source rectangle,
  // which lies srcY + srcHeight - 1 rows above the DIB's bottom row.
  const int64_t topRow = int64_t{srcY} + srcHeight - 1;
  Stretch(x, y, width, height, srcWidth, srcHeight, [&](int32_t column, int32_t row) -> std::optional<uint32_t> {
    const int64_t sx = int64_t{srcX} + column;
    const int64_t memoryRow = topRow - row;
    if (sx < 0 || sx >= dib.Width() || memoryRow < 0 || memoryRow >= dib.Lines()) return std::nullopt;
    return dib.Rgb(static_cast<int32_t>(sx), static_cast<int32_t>(memoryRow));
  });
  return srcHeight;
}

int32_t MemoryDeviceContext::SetDIBitsToDevice(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                               int32_t srcY, uint32_t startScan, uint32_t lines, const void* bits,
                                               const BITMAPINFO* info, uint32_t usage) {
  Record("SetDIBitsToDevice",
         {x, y, width, height, srcX, srcY, startScan, lines, info ? info->bmiHeader.biBitCount : 0, usage});
  const DibReader dib(info, bits, lines);
  if (failures_.setDIBitsToDevice || !dib.Valid()) return 0;
  const auto block = SetDIBitsToDeviceBlock(x, y, width, height, srcX, srcY, startScan, dib, info->bmiHeader.biHeight);
  if (!block) return static_cast<int32_t>(lines);
  Stretch(block->destX, block->destY, block->width, block->height, block->width, block->height,
          [&](int32_t column, int32_t row) -> std::optional<uint32_t> {
            return dib.Rgb(block->srcX + column, block->topMemoryRow - row);
          });
  return static_cast<int32_t>(lines);
}

std::unique_ptr<CompatibleBitmap> MemoryDeviceContext::CreateCompatibleBitmap(int32_t width, int32_t height) {
  Record("CreateCompatibleBitmap", {width, height});
  if (failures_.createCompatibleBitmap) return nullptr;
  return MakeCompatibleBitmap(width, height);
}

std::unique_ptr<MemoryBitmapDC> MemoryDeviceContext::CreateCompatibleDC() {
  Record("CreateCompatibleDC", {});
  return std::make_unique<MemoryBitmapDC>();
}

int32_t MemoryDeviceContext::SetDIBits(MemoryBitmapDC&, CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines,
                                       const void* bits, const BITMAPINFO* info, uint32_t usage) {
  Record("SetDIBits", {startScan, lines, info ? info->bmiHeader.biBitCount : 0, usage});
  if (failures_.setDIBits) return 0;
  return StoreDibInBitmap(bitmap, startScan, lines, bits, info);
}

bool MemoryDeviceContext::StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const MemoryBitmapDC& source,
                                     int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight, uint32_t rop) {
  Record("StretchBlt", {x, y, width, height, srcX, srcY, srcWidth, srcHeight, rop});
  const CompatibleBitmap* bitmap = source.Selected();
  if (failures_.stretchBlt || !bitmap) return false;
  if (width < 1 || height < 1 || srcWidth < 1 || srcHeight < 1) return true;
  Stretch(x, y, width, height, srcWidth, srcHeight, [&](int32_t column, int32_t row) -> std::optional<uint32_t> {
    const int64_t sx = int64_t{srcX} + column;
    const int64_t sy = int64_t{srcY} + row;
    if (sx < 0 || sx >= bitmap->width || sy < 0 || sy >= bitmap->height) return std::nullopt;
    return bitmap->pixels[static_cast<size_t>(sy) * bitmap->width + static_cast<size_t>(sx)];
  });
  return true;
}

}  // namespace drawing
