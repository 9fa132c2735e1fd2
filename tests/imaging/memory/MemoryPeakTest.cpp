// Peak memory of decoding: a picture costs little more than its own pixels,
// and a file that claims a huge picture without the data for it is refused
// before any memory is reserved for it. Counted with the replaced malloc of
// this test program (AllocationCounter), so no timing and no guessing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "AllocationCounter.h"
#include "LargePictures.h"
#include "imaging/DepthPromotion.h"
#include "imaging/PixelPool.h"
#include "imaging/Rastola.h"
#include "imaging/codecs/DecodeSupport.h"

namespace {

using largepictures::kSide;

// The 24-bit picture's own pixels: the yardstick of the peaks.
constexpr int64_t kDecodedBytes = int64_t{kSide} * kSide * 3;
constexpr double kMostPeak = 1.35;

class MemoryPeak : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                        ("lumivista-memory-" + std::to_string(::getpid())));
    std::filesystem::create_directories(*folder_);
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*folder_);
    delete folder_;
  }
  static std::string File(const std::string& name) { return (*folder_ / name).string(); }

  // Opens the file and returns the peak of bytes allocated meanwhile.
  static int64_t PeakOfOpening(const std::string& path, imaging::Image& image) {
    imaging::DrainPixelPool();
    allocations::StartMeasuring();
    imaging::OpenDib(&image, path.c_str(), 0, nullptr);
    return allocations::PeakSinceStart();
  }

 private:
  static std::filesystem::path* folder_;
};

std::filesystem::path* MemoryPeak::folder_ = nullptr;

struct LargeCase {
  const char* name;
  void (*write)(const std::string&);
  uint32_t bits;
  bool saveCopy;  // the JPEG copy of an album run, once is enough
  friend void PrintTo(const LargeCase& c, std::ostream* out) { *out << c.name; }
};

// One format per test, so the large pictures are decoded side by side.
class LargePicture : public MemoryPeak, public testing::WithParamInterface<LargeCase> {};

TEST_P(LargePicture, PeaksNearItsOwnSize) {
  const LargeCase& c = GetParam();
  const std::string path = File(c.name);
  c.write(path);
  imaging::Image image;
  const int64_t peak = PeakOfOpening(path, image);
  ASSERT_NE(image->Pixels, nullptr) << image->ErrorText;
  EXPECT_EQ(imaging::DibWidth(*image), kSide);
  EXPECT_EQ(imaging::DibHeight(*image), kSide);
  EXPECT_EQ(imaging::DibBitCount(*image), c.bits);
  std::printf("%s (%ju bytes): peak %.0f MB = %.3f x the 24-bit size\n", c.name,
              uintmax_t(std::filesystem::file_size(path)), peak / 1e6, double(peak) / kDecodedBytes);
  EXPECT_LE(peak, kMostPeak * kDecodedBytes);
  if (c.saveCopy) {
    // Rows stream through the encoder; only the file it makes grows.
    allocations::StartMeasuring();
    ASSERT_EQ(imaging::SaveDib(*image, File("copy.jpg").c_str(), imaging::kFormatJpeg, nullptr), 1);
    const int64_t savePeak = allocations::PeakSinceStart();
    std::printf("its JPEG copy: peak %.0f MB = %.3f x\n", savePeak / 1e6, double(savePeak) / kDecodedBytes);
    EXPECT_LE(savePeak, (kMostPeak - 1) * kDecodedBytes);
  }
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LargePicture,
    testing::Values(
        LargeCase{"rle.bmp", largepictures::WriteRleBmp, 8, false},
        LargeCase{"large.png", largepictures::WritePng, 24, true},
        LargeCase{"large.jpg", largepictures::WriteJpeg, 24, false},
        LargeCase{"large.tif", [](const std::string& path) { largepictures::WriteTiff(path, false); }, 24, false},
        LargeCase{"one-strip.tif", [](const std::string& path) { largepictures::WriteTiff(path, true); }, 24, false}),
    [](const testing::TestParamInfo<LargeCase>& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (c == '.' || c == '-') c = '_';
      return name;
    });

// The palette picture grows into its 24-bit form in place: the two are
// never held side by side, as the album run promotes every such picture.
TEST_F(MemoryPeak, PromotedPalettePictureNeverHoldsBothDepths) {
  const std::string path = File("promoted.bmp");
  largepictures::WriteRleBmp(path);
  imaging::Image image;
  imaging::DrainPixelPool();
  allocations::StartMeasuring();
  imaging::OpenDib(&image, path.c_str(), 0, nullptr);
  ASSERT_NE(image->Pixels, nullptr) << image->ErrorText;
  imaging::DepthUpTo24(image);
  const int64_t peak = allocations::PeakSinceStart();
  ASSERT_EQ(imaging::DibBitCount(*image), 24u);
  std::printf("opened and promoted: peak %.3f x the 24-bit size\n", double(peak) / kDecodedBytes);
  // Both depths side by side would be 4/3 of it.
  EXPECT_LE(peak, 1.1 * kDecodedBytes);
  std::filesystem::remove(path);
}

TEST_F(MemoryPeak, InterlacedPngWithAlphaKeepsOnlyItsAlphaBesideThePicture) {
  constexpr int kSmallerSide = 4000;
  const std::string path = File("interlaced.png");
  largepictures::WriteInterlacedPngWithAlpha(path, kSmallerSide);
  imaging::Image image;
  const int64_t peak = PeakOfOpening(path, image);
  ASSERT_NE(image->Pixels, nullptr) << image->ErrorText;
  EXPECT_EQ(imaging::DibBitCount(*image), 24u);
  EXPECT_LE(peak, kMostPeak * kSmallerSide * kSmallerSide * 3);
}

TEST_F(MemoryPeak, HeadersClaimingMoreThanTheirDataAreRefusedWithoutReserving) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"lying.gif", largepictures::LyingGif()},
      {"lying.tif", largepictures::LyingTiff()},
      {"lying.png", largepictures::LyingPng()},
      {"lying.jpg", largepictures::LyingJpeg()},
  };
  ASSERT_EQ(cases[0].bytes.size(), 35u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = File(c.name);
    std::ofstream(path, std::ios::binary).write(c.bytes.data(), std::streamsize(c.bytes.size()));
    imaging::Image image;
    const int64_t peak = PeakOfOpening(path, image);
    EXPECT_EQ(image->Pixels, nullptr);
    EXPECT_STREQ(image->ErrorText, imaging::codecs::kCorrupt);
    EXPECT_LT(peak, 4 << 20) << "bytes reserved for pixels that cannot arrive";
  }
}

// A picture followed by a long tail (a camera file with a huge trailer, or a
// film named .jpg): the file is mapped, so only what the decoder reads counts.
TEST_F(MemoryPeak, PictureFilesAreNotCopiedIntoMemory) {
  const std::string path = File("tail.png");
  const std::string png = largepictures::SmallPng();
  std::ofstream(path, std::ios::binary).write(png.data(), std::streamsize(png.size()));
  std::filesystem::resize_file(path, 512 << 20);
  imaging::Image image;
  const int64_t peak = PeakOfOpening(path, image);
  ASSERT_NE(image->Pixels, nullptr) << image->ErrorText;
  EXPECT_LT(peak, 4 << 20);
}

}  // namespace
