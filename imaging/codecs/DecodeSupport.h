#pragma once
// What every decoder shares: the German messages, the size caps checked
// before allocating, image creation and progress reporting.
#include <cstddef>
#include <cstdint>

#include "imaging/Rastola.h"

namespace imaging::codecs {

// Windows-1252 texts handed back in ErrorText.
inline constexpr char kUnknownFormat[] = "Unbekanntes Dateiformat";
inline constexpr char kCorrupt[] =
    "Die Datei ist besch\xE4"
    "digt oder unvollst\xE4"
    "ndig";
inline constexpr char kCannotOpen[] =
    "Die Datei kann nicht ge\xF6"
    "ffnet werden";
inline constexpr char kTooLarge[] = "Das Bild ist zu gro\xDF";
inline constexpr char kOutOfMemory[] =
    "Nicht genug Arbeitsspeicher f\xFC"
    "r das Bild";
inline constexpr char kUnsupported[] =
    "Diese Variante des Dateiformats wird nicht unterst\xFC"
    "tzt";

// The whole content of a picture file.
struct FileBytes {
  const uint8_t* data;
  size_t size;
};

// Reports 0..100 to the receiver: only rising values, each once.
class ProgressMeter {
 public:
  explicit ProgressMeter(platform::ProgressReceiver* receiver) : receiver_(receiver) {}
  void Report(int percent);
  void Fraction(int64_t done, int64_t total) { Report(total > 0 ? static_cast<int>(done * 100 / total) : 100); }

 private:
  platform::ProgressReceiver* receiver_;
  int last_ = -1;
};

// Frees what `out` held and leaves it without an image and with `message` in ErrorText.
void Fail(Image& out, const char* message);

// Null when a width x height picture of that depth may be allocated,
// otherwise the message that refuses it. Computed in 64 bits.
const char* CheckDimensions(int64_t width, int64_t height, int bitsPerPixel);

// Creates a blank image after checking the caps. On failure `out` holds the
// message (kTooLarge, kCorrupt or kOutOfMemory) and the result is false.
bool CreateImage(Image& out, int64_t width, int64_t height, int bitsPerPixel, const BITMAPINFO* colours = nullptr,
                 int colourCount = 0);

// A colour table being built by a decoder.
struct ColourTable {
  BITMAPINFO info{};
  int count = 0;
  void Set(int index, uint8_t red, uint8_t green, uint8_t blue);
};
ColourTable GreyTable();

// The memory row holding picture row `y` counted from the top.
inline uint8_t* TopDownRow(const RasterImage& image, int64_t y) {
  return image.Pixels + (image.Info->bmiHeader.biHeight - 1 - y) * int64_t{image.Stride};
}

// Puts the darker colour of a 1-bit picture at index 0, inverting the bits to
// keep every pixel's colour. Album export reads a 1-bit picture as "0 is
// black, anything else white"; files that list white first (as many
// encoders write them) would otherwise come out as negatives.
void DarkColourFirst(RasterImage& image);

// `value` seen through `alpha` over a white background.
inline uint8_t OverWhite(unsigned value, unsigned alpha) {
  return static_cast<uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

}  // namespace imaging::codecs
