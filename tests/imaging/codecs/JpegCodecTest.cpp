// JPEG reading (baseline, progressive, grey, CMYK, EXIF orientation) and the
// JPEG that SaveDib writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "imaging/codecs/JpegWriter.h"
#include "support/ImagingFixtures.h"
#include "support/TempFolder.h"

namespace {

using fixtures::Rgb;

constexpr int kJpegTolerance = 10;

void ExpectNear(const Rgb& got, const Rgb& want, const char* where) {
  EXPECT_NEAR(got.r, want.r, kJpegTolerance) << where;
  EXPECT_NEAR(got.g, want.g, kJpegTolerance) << where;
  EXPECT_NEAR(got.b, want.b, kJpegTolerance) << where;
}

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

// The fixtures are 32 x 16: red left half, blue right half.
TEST(JpegDecode, ColourVariantsComeOutRedLeftBlueRight) {
  for (const char* file : {"jpeg-baseline.jpg", "jpeg-progressive.jpg", "jpeg-cmyk.jpg"}) {
    SCOPED_TRACE(file);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path(file));
    ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
    EXPECT_EQ(imaging::DibWidth(image), 32);
    EXPECT_EQ(imaging::DibHeight(image), 16);
    EXPECT_EQ(imaging::DibBitCount(image), 24u);
    ExpectNear(fixtures::PixelAt(image, 4, 2), kRed, "left");
    ExpectNear(fixtures::PixelAt(image, 27, 13), kBlue, "right");
  }
}

TEST(JpegDecode, GreyBecomesEightBitWithGreyPalette) {
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path("jpeg-grey.jpg"));
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  ASSERT_EQ(imaging::DibBitCount(image), 8u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(image.Colours[i].peRed, i);
    EXPECT_EQ(image.Colours[i].peBlue, i);
  }
  EXPECT_EQ(image.HasPalette, 1);
  // Rec. 709 luma of pure red and pure blue, as ImageMagick made them grey.
  EXPECT_NEAR(fixtures::PixelAt(image, 4, 2).g, 54, 6);
  EXPECT_NEAR(fixtures::PixelAt(image, 27, 13).g, 18, 6);
}

struct OrientationCase {
  const char* file;
  int width, height;
  Rgb topLeft, bottomRight;
};

TEST(JpegDecode, ExifOrientationTurnsThePictureUpright) {
  const OrientationCase cases[] = {
      {"jpeg-exif-3.jpg", 32, 16, kBlue, kRed},  // turned half round
      {"jpeg-exif-6.jpg", 16, 32, kRed, kBlue},  // stored lying left: turn clockwise
      {"jpeg-exif-8.jpg", 16, 32, kBlue, kRed},  // stored lying right: turn anticlockwise
  };
  for (const OrientationCase& c : cases) {
    SCOPED_TRACE(c.file);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, fixtures::Path(c.file));
    ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
    ASSERT_EQ(imaging::DibWidth(image), c.width);
    ASSERT_EQ(imaging::DibHeight(image), c.height);
    EXPECT_EQ(image.Stride, DibStride(c.width, 24));
    ExpectNear(fixtures::PixelAt(image, 2, 2), c.topLeft, "top left");
    ExpectNear(fixtures::PixelAt(image, c.width - 3, c.height - 3), c.bottomRight, "bottom right");
  }
}

TEST(JpegDecode, MissingEndMarkerAloneLosesNothing) {
  std::vector<char> bytes = fixtures::ReadBytes(fixtures::Path("jpeg-baseline.jpg"));
  ASSERT_EQ(static_cast<uint8_t>(bytes[bytes.size() - 2]), 0xFF);
  ASSERT_EQ(static_cast<uint8_t>(bytes.back()), 0xD9);
  bytes.resize(bytes.size() - 2);
  TempFolder folder;
  fixtures::WriteBytes(folder.Path("no-end.jpg"), bytes);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, folder.Path("no-end.jpg"));
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  ExpectNear(fixtures::PixelAt(image, 27, 13), kBlue, "last rows decoded");
}

TEST(JpegDecode, ProgressiveFileEndingBetweenScansIsRefused) {
  std::vector<char> bytes = fixtures::ReadBytes(fixtures::Path("jpeg-progressive.jpg"));
  const std::string text(bytes.begin(), bytes.end());
  const size_t secondScan = text.find("\xFF\xDA", text.find("\xFF\xDA") + 2);
  ASSERT_NE(secondScan, std::string::npos);
  bytes.resize(secondScan);  // the first scan whole, every refinement missing
  TempFolder folder;
  fixtures::WriteBytes(folder.Path("cut.jpg"), bytes);
  imaging::Image guard;
  EXPECT_EQ(fixtures::Open(guard, folder.Path("cut.jpg")).Pixels, nullptr);
}

TEST(JpegDecode, ProgressRisesFromZeroToHundred) {
  fixtures::RecordingProgress progress;
  imaging::Image guard;
  ASSERT_NE(fixtures::Open(guard, fixtures::Path("jpeg-progressive.jpg"), &progress).Pixels, nullptr);
  ASSERT_GE(progress.seen.size(), 3u);
  EXPECT_EQ(progress.seen.front(), 0);
  EXPECT_EQ(progress.seen.back(), 100);
  for (size_t i = 1; i < progress.seen.size(); ++i) EXPECT_GT(progress.seen[i], progress.seen[i - 1]);
}

// A smooth picture of the given depth whose colours we know.
imaging::Image MakeGradient(int width, int height, int bits) {
  imaging::Image image;
  BITMAPINFO palette{};
  for (int i = 0; i < 256; ++i) palette.bmiColors[i] = RGBQUAD{uint8_t(255 - i), uint8_t(i), uint8_t(i / 2), 0};
  const int colours = bits <= 8 ? 1 << bits : 0;
  imaging::newdib(&image, width, height, bits, colours ? &palette : nullptr, colours);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t shade = uint32_t(x * 255 / (width - 1));
      imaging::setpixel(*image, x, y, bits == 24 || bits == 32 ? (shade | (255 - shade) << 8 | 128u << 16) : 0);
    }
  }
  return image;
}

TEST(SaveDib, WritesBaselineJpegAtQualityNinetyThatReadsBack) {
  TempFolder folder;
  imaging::Image source = MakeGradient(33, 17, 24);  // odd width: padded rows
  const std::string target = folder.Path("copy.jpg");
  fixtures::RecordingProgress progress;
  ASSERT_EQ(imaging::SaveDib(*source, target.c_str(), imaging::kFormatJpeg, &progress), 1);
  EXPECT_EQ(progress.seen.front(), 0);
  EXPECT_EQ(progress.seen.back(), 100);

  const std::vector<char> bytes = fixtures::ReadBytes(target);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\xFF\xC0"), std::string::npos) << "baseline frame";
  EXPECT_EQ(text.find("\xFF\xC2"), std::string::npos) << "no progressive frame";
  const size_t dqt = text.find("\xFF\xDB");
  ASSERT_NE(dqt, std::string::npos);
  EXPECT_EQ(static_cast<uint8_t>(text[dqt + 5]), 3) << "luminance DC step of quality 90";

  imaging::Image back;
  const imaging::RasterImage& image = fixtures::Open(back, target);
  ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
  EXPECT_EQ(imaging::DibWidth(image), 33);
  EXPECT_EQ(imaging::DibHeight(image), 17);
  for (int x : {1, 16, 31}) {
    const int shade = x * 255 / 32;
    ExpectNear(fixtures::PixelAt(image, x, 8), Rgb{shade, 255 - shade, 128}, "gradient");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1) << "no temporary file left";
}

// The standard tables cost a third less time than optimised ones and need no
// buffer of the whole picture's coefficients; the first table written is the
// standard luminance DC table, whose code counts are these.
TEST(EncodeJpeg, WritesStandardHuffmanTablesIntoAReusedBuffer) {
  imaging::Image picture = MakeGradient(200, 120, 24);
  imaging::codecs::ProgressMeter progress(nullptr);
  imaging::codecs::JpegBuffer reused;
  ASSERT_TRUE(imaging::codecs::EncodeJpeg(*picture, progress, reused));
  const std::string first(reinterpret_cast<const char*>(reused.data()), reused.size());
  const size_t dht = first.find("\xFF\xC4");
  ASSERT_NE(dht, std::string::npos);
  const std::string standardLuminanceDc("\x00\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00", 17);
  EXPECT_EQ(first.substr(dht + 4, 17), standardLuminanceDc) << "class 0, table 0, then the 16 code counts";

  imaging::Image small = MakeGradient(8, 8, 24);
  ASSERT_TRUE(imaging::codecs::EncodeJpeg(*small, progress, reused));
  ASSERT_TRUE(imaging::codecs::EncodeJpeg(*picture, progress, reused));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reused.data()), reused.size()), first) << "same bytes again";
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  ASSERT_TRUE(imaging::codecs::EncodeJpeg(*picture, progress, &bytes, &size));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), size), first) << "the malloc'd form";
  std::free(bytes);
}

TEST(SaveDib, WindowsNamesWithUmlautsReachTheDiskAsUtf8) {
  TempFolder folder;
  imaging::Image source = MakeGradient(8, 8, 24);
  const std::string ansiName = folder.Path(
      "Gr\xFC\xDF"
      "e.jpg");  // "Grüße" in Windows-1252
  ASSERT_EQ(imaging::SaveDib(*source, ansiName.c_str(), imaging::kFormatJpeg, nullptr), 1);
  EXPECT_TRUE(std::filesystem::exists(folder.Root() / "Gr\xC3\xBC\xC3\x9F"
                                                      "e.jpg"));
  imaging::Image back;
  EXPECT_NE(fixtures::Open(back, ansiName).Pixels, nullptr);
}

TEST(SaveDib, EveryDepthIsConvertedThroughItsColourTable) {
  TempFolder folder;
  for (int bits : {1, 4, 8, 16, 32}) {
    SCOPED_TRACE(bits);
    imaging::Image source = MakeGradient(64, 16, bits);
    const std::string target = folder.Path(std::to_string(bits) + "-bit.jpg");
    ASSERT_EQ(imaging::SaveDib(*source, target.c_str(), imaging::kFormatJpeg, nullptr), 1);
    imaging::Image back;
    const imaging::RasterImage& image = fixtures::Open(back, target);
    ASSERT_NE(image.Pixels, nullptr);
    EXPECT_EQ(imaging::DibBitCount(image), 24u);
    if (bits <= 8) ExpectNear(fixtures::PixelAt(image, 10, 5), Rgb{0, 0, 255}, "palette entry 0");
    if (bits == 32) ExpectNear(fixtures::PixelAt(image, 32, 8), Rgb{129, 126, 128}, "middle of the gradient");
  }
}

TEST(SaveDib, FailureReportsZeroAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string existing = folder.Path("old.jpg");
  fixtures::WriteBytes(existing, {'o', 'l', 'd'});
  imaging::Image good = MakeGradient(8, 8, 24);

  EXPECT_EQ(imaging::SaveDib(imaging::EmptyRasterImage(), existing.c_str(), imaging::kFormatJpeg, nullptr), 0);
  EXPECT_EQ(imaging::SaveDib(*good, existing.c_str(), 3, nullptr), 0) << "unknown format code";
  EXPECT_EQ(fixtures::ReadBytes(existing), (std::vector<char>{'o', 'l', 'd'}));
  const std::string missingFolder = folder.Path("missing/new.jpg");
  EXPECT_EQ(imaging::SaveDib(*good, missingFolder.c_str(), imaging::kFormatJpeg, nullptr), 0);
  EXPECT_FALSE(std::filesystem::exists(missingFolder));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);
}

TEST(SaveDib, RecordWhoseStrideDisagreesWithItsWidthIsRefused) {
  imaging::Image good = MakeGradient(8, 8, 24);
  imaging::RasterImage lying = *good;
  lying.Stride = 4;  // shorter than one row of 8 pixels
  TempFolder folder;
  EXPECT_EQ(imaging::SaveDib(lying, folder.Path("x.jpg").c_str(), imaging::kFormatJpeg, nullptr), 0);
}

}  // namespace
