#include "imaging/codecs/DecodeSupport.h"

#include <cstring>
#include <utility>

namespace imaging::codecs {

void ProgressMeter::Report(int percent) {
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  if (percent <= last_) return;
  last_ = percent;
  if (receiver_) receiver_->Progress(percent);
}

void Fail(Image& out, const char* message) {
  out.reset();
  std::strncpy(out->ErrorText, message, sizeof out->ErrorText - 1);
}

const char* CheckDimensions(int64_t width, int64_t height, int bitsPerPixel) {
  if (width < 1 || height < 1) return kCorrupt;
  if (width > kMaxPixels || height > kMaxPixels || width * height > kMaxPixels) return kTooLarge;
  if (DibStride(width, bitsPerPixel) * height >= kMaxPixelBytes) return kTooLarge;
  return nullptr;
}

bool CreateImage(Image& out, int64_t width, int64_t height, int bitsPerPixel, const BITMAPINFO* colours,
                 int colourCount) {
  if (const char* refusal = CheckDimensions(width, height, bitsPerPixel)) {
    Fail(out, refusal);
    return false;
  }
  newdib(&out, static_cast<int32_t>(width), static_cast<int32_t>(height), bitsPerPixel, colours, colourCount);
  if (out->Pixels) return true;
  Fail(out, kOutOfMemory);
  return false;
}

void ColourTable::Set(int index, uint8_t red, uint8_t green, uint8_t blue) {
  info.bmiColors[index] = RGBQUAD{blue, green, red, 0};
  if (index >= count) count = index + 1;
}

namespace {

int Brightness(const RGBQUAD& q) { return 299 * q.rgbRed + 587 * q.rgbGreen + 114 * q.rgbBlue; }

}  // namespace

void DarkColourFirst(RasterImage& image) {
  if (!image.Pixels || image.Info->bmiHeader.biBitCount != 1) return;
  RGBQUAD* table = image.Info->bmiColors;
  if (image.Info->bmiHeader.biClrUsed < 2 || Brightness(table[0]) <= Brightness(table[1])) return;
  std::swap(table[0], table[1]);
  std::swap(image.Colours[0], image.Colours[1]);
  if (image.PaletteHandle) std::swap(image.PaletteHandle->entries[0], image.PaletteHandle->entries[1]);
  const size_t bytes = image.Info->bmiHeader.biSizeImage;
  for (size_t i = 0; i < bytes; ++i) image.Pixels[i] = static_cast<uint8_t>(~image.Pixels[i]);
}

ColourTable GreyTable() {
  ColourTable table;
  for (int i = 0; i < 256; ++i) table.Set(i, static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
  return table;
}

}  // namespace imaging::codecs
