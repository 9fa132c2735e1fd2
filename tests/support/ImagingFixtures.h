#pragma once
// The 5 x 3 pattern every fixture in tests/data/imaging shows (written by
// make-fixtures.sh), and helpers to open and inspect pictures.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/Rastola.h"

namespace fixtures {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline constexpr int kWidth = 5, kHeight = 3;
inline constexpr Rgb kPattern[kHeight][kWidth] = {
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}},
    {{18, 52, 86}, {120, 130, 140}, {250, 5, 128}, {0, 128, 255}, {77, 77, 77}},
    {{60, 30, 10}, {200, 100, 50}, {33, 66, 99}, {255, 255, 0}, {9, 180, 240}}};
inline constexpr int kAlpha[kWidth] = {0, 128, 255, 255, 64};
inline constexpr Rgb kPalette2[2] = {{10, 20, 30}, {200, 210, 220}};
inline constexpr Rgb kPalette4[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {250, 250, 250}};

// The pattern's colour at (x, y), as an expected-colour function.
inline Rgb PatternAt(int x, int y) { return kPattern[y][x]; }

// OpenDib's text for a file it cannot decode.
inline const std::string kCorruptText =
    "Die Datei ist besch\xE4"
    "digt oder unvollst\xE4"
    "ndig";

inline int Index2(int x, int y) { return (x + y) % 2; }
inline int Index4(int x, int y) { return (x + 2 * y) % 4; }
inline int Grey(int x, int y, int depth) {
  return depth < 8 ? (x * 3 + y * 7) % (1 << depth) : (x * 40 + y * 13) % 256;
}
// A sample of `depth` bits stretched to 8 bits.
inline int Widen(int value, int depth) { return value * 255 / ((1 << depth) - 1); }
inline int OverWhite(int value, int alpha) { return (value * alpha + 255 * (255 - alpha) + 127) / 255; }
inline Rgb OverWhite(Rgb c, int alpha) { return {OverWhite(c.r, alpha), OverWhite(c.g, alpha), OverWhite(c.b, alpha)}; }

inline std::string Path(const std::string& name) {
  std::string path = LUMIVISTA_TEST_DATA "/imaging/";
  return path += name;
}

inline std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The colour of pixel (x, y), y counted from the top, read straight from the
// record's memory and colour table.
inline Rgb PixelAt(const imaging::RasterImage& image, int x, int yFromTop) {
  const int bits = static_cast<int>(imaging::DibBitCount(image));
  const uint8_t* row = image.Pixels + int64_t(imaging::DibHeight(image) - 1 - yFromTop) * image.Stride;
  int index = 0;
  switch (bits) {
    case 24:
      return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    case 8:
      index = row[x];
      break;
    case 4:
      index = (x % 2) ? (row[x / 2] & 15) : (row[x / 2] >> 4);
      break;
    case 1:
      index = (row[x / 8] >> (7 - x % 8)) & 1;
      break;
    default:
      return {-1, -1, -1};
  }
  const RGBQUAD& q = image.Info->bmiColors[index];
  return {q.rgbRed, q.rgbGreen, q.rgbBlue};
}

// Opens a picture; the guard frees it.
inline imaging::RasterImage& Open(imaging::Image& guard, const std::string& path,
                                  platform::ProgressReceiver* progress = nullptr) {
  OpenDib(&guard, path.c_str(), 0, progress);
  return *guard;
}

class RecordingProgress : public platform::ProgressReceiver {
 public:
  void Progress(int percent) override { seen.push_back(percent); }
  std::vector<int> seen;
};

}  // namespace fixtures
