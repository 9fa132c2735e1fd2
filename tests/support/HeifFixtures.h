#pragma once
// Test pictures made at test time by independent tools (heif-enc from
// libheif-examples, ImageMagick) from the project's own fixtures, and the
// boxes HeifBoxEdit.h puts into them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/HeifBoxEdit.h"
#include "support/ImagingFixtures.h"

namespace heiffixtures {

inline std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs a shell command; a missing tool fails the test, it never skips it.
inline void RunTool(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  ASSERT_EQ(status, 0) << command << " failed (tools come from scripts/bootstrap.sh)";
}

// The 5 x 3 fixture pattern blown up to 16 x 16 blocks (80 x 48 pixels),
// so lossy coding and chroma subsampling leave the block centres alone.
inline constexpr int kBlock = 16;
// `options` go between the blow-up and the target, which may carry a
// format prefix ("PNG24:").
inline void BlowUp(const std::string& fixture, const std::string& options, const std::string& target) {
  RunTool("convert " + Quoted(fixtures::Path(fixture)) + " -filter point -resize 1600% " + options + " " +
          Quoted(target));
}

// Encodes with heif-enc; the suffix of `target` picks HEIC or AVIF.
inline void HeifEnc(const std::string& source, const std::string& target, const std::string& options = "-q 92") {
  RunTool("heif-enc " + options + " -o " + Quoted(target) + " " + Quoted(source));
}

inline int Difference(fixtures::Rgb a, fixtures::Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// Every block centre of `image` within `tolerance` of `expected(x, y)`.
template <class Expected>
void ExpectBlocks(const imaging::RasterImage& image, int tolerance, Expected expected) {
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  ASSERT_EQ(imaging::DibWidth(image), fixtures::kWidth * kBlock);
  ASSERT_EQ(imaging::DibHeight(image), fixtures::kHeight * kBlock);
  for (int y = 0; y < fixtures::kHeight; ++y) {
    for (int x = 0; x < fixtures::kWidth; ++x) {
      const fixtures::Rgb seen = fixtures::PixelAt(image, x * kBlock + kBlock / 2, y * kBlock + kBlock / 2);
      const fixtures::Rgb want = expected(x, y);
      EXPECT_LE(Difference(seen, want), tolerance)
          << "block " << x << "," << y << ": " << seen.r << " " << seen.g << " " << seen.b << " instead of " << want.r
          << " " << want.g << " " << want.b;
    }
  }
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
  const std::vector<char> bytes = fixtures::ReadBytes(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  fixtures::WriteBytes(path, std::vector<char>(bytes.begin(), bytes.end()));
}

// A JPEG segment inserted right after the start marker.
inline std::vector<uint8_t> WithSegment(std::vector<uint8_t> jpeg, uint8_t marker,
                                        const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> segment{0xFF, marker, uint8_t((payload.size() + 2) >> 8), uint8_t(payload.size() + 2)};
  segment.insert(segment.end(), payload.begin(), payload.end());
  jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
  return jpeg;
}

// An EXIF block holding only the orientation tag.
inline std::vector<uint8_t> ExifOrientation(int orientation) {
  return {
      'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, uint8_t(orientation),
      0,   0,   0,   0,   0, 0, 0};
}

inline std::vector<uint8_t> RotationBox(int quarterTurnsAnticlockwise) {
  return {0, 0, 0, 9, 'i', 'r', 'o', 't', uint8_t(quarterTurnsAnticlockwise & 3)};
}

// Axis 0 swaps top and bottom, 1 left and right: how libheif and libavif
// read the box, and so how files in circulation are written.
inline std::vector<uint8_t> MirrorBox(int axis) { return {0, 0, 0, 9, 'i', 'm', 'i', 'r', uint8_t(axis & 1)}; }

// A colr box describing the colour space by H.273 codes (matrix 6, full range).
inline std::vector<uint8_t> NclxBox(int primaries, int transfer) {
  return {0, 0, 0, 19, 'c', 'o', 'l', 'r', 'n', 'c', 'l', 'x', 0, uint8_t(primaries), 0, uint8_t(transfer), 0, 6, 0x80};
}

}  // namespace heiffixtures
