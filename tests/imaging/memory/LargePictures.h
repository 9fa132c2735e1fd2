#pragma once
// Pictures of 16000 x 16000 pixels written at test time with the formats'
// own libraries (never with ours), and tiny files whose headers claim that
// size without the data to fill it.
#include <string>

namespace largepictures {

inline constexpr int kSide = 16000;

void WriteRleBmp(const std::string& path);  // a few runs, then end of picture
void WritePng(const std::string& path);     // 24-bit, not interlaced
void WriteJpeg(const std::string& path);    // baseline, 4:2:0
// 24-bit, Deflate, in libtiff's default strips or all in one strip.
void WriteTiff(const std::string& path, bool oneStrip);
// side x side with alpha, interlaced: libpng needs every row kept between passes.
void WriteInterlacedPngWithAlpha(const std::string& path, int side);

// A 16 x 16 PNG.
std::string SmallPng();

// Headers claiming kSide x kSide over a few bytes of data.
std::string LyingGif();   // 35 bytes
std::string LyingTiff();  // one strip of 16 bytes
std::string LyingPng();   // one tiny IDAT
std::string LyingJpeg();  // a real 16 x 16 picture with its frame size patched

}  // namespace largepictures
