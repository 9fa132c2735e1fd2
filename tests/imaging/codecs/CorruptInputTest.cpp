// Files that are missing, unknown, truncated, lying about their size or
// pointing outside themselves: no picture, a German message, no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "support/BmpFiles.h"
#include "support/Crc32.h"
#include "support/ImagingFixtures.h"
#include "support/TempFolder.h"

namespace {

const std::string kTooLarge = "Das Bild ist zu gro\xDF";

class CorruptInput : public ::testing::Test {
 protected:
  TempFolder folder;

  // Opens `bytes` written to a file and expects failure; returns the message.
  std::string Refused(const std::vector<char>& bytes, const std::string& what) {
    const std::string path = folder.Path("picture");
    fixtures::WriteBytes(path, bytes);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, path);
    EXPECT_EQ(image.Pixels, nullptr) << what;
    EXPECT_EQ(image.Info, nullptr) << what;
    EXPECT_NE(std::memchr(image.ErrorText, 0, sizeof image.ErrorText), nullptr) << what;
    const std::string message = image.ErrorText;
    EXPECT_GT(message.size(), 5u) << what;
    return message;
  }
};

void Put32(std::vector<char>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutBig32(std::vector<char>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

using fixtures::Crc32;

TEST_F(CorruptInput, MissingFileAndUnknownContent) {
  imaging::Image guard;
  const imaging::RasterImage& missing = fixtures::Open(guard, folder.Path("nothing-here.jpg"));
  EXPECT_EQ(missing.Pixels, nullptr);
  EXPECT_STREQ(missing.ErrorText,
               "Die Datei kann nicht ge\xF6"
               "ffnet werden");

  std::mt19937 random(7);
  std::vector<char> garbage(4096);
  for (char& c : garbage) c = static_cast<char>(random());
  garbage[0] = 'x';
  EXPECT_EQ(Refused(garbage, "garbage"), "Unbekanntes Dateiformat");
  EXPECT_EQ(Refused({}, "empty"), fixtures::kCorruptText);
  EXPECT_EQ(Refused({'B', 'M'}, "two bytes"), fixtures::kCorruptText);
}

TEST_F(CorruptInput, EveryFixtureCutShortIsRefused) {
  for (const auto& entry : std::filesystem::directory_iterator(fixtures::Path(""))) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".sh") || name.ends_with(".py")) continue;
    const std::vector<char> whole = fixtures::ReadBytes(entry.path().string());
    for (size_t cut : {size_t{8}, whole.size() / 2, whole.size() * 3 / 4}) {
      Refused(std::vector<char>(whole.begin(), whole.begin() + cut), name + " cut at " + std::to_string(cut));
    }
  }
}

TEST_F(CorruptInput, BmpOffsetsAndSizesOutsideTheFile) {
  const std::vector<char> good = fixtures::ReadBytes(fixtures::Path("bmp-24.bmp"));
  std::vector<char> bytes = good;
  Put32(bytes, 10, 0x7FFFFFF0);
  EXPECT_EQ(Refused(bytes, "pixel offset beyond the end"), fixtures::kCorruptText);
  bytes = good;
  Put32(bytes, 14, 0xFFFFFFF0);
  EXPECT_EQ(Refused(bytes, "header size beyond the end"), fixtures::kCorruptText);
  bytes = good;
  Put32(bytes, 18, 100000);
  Put32(bytes, 22, 100000);
  EXPECT_EQ(Refused(bytes, "100000 x 100000"), kTooLarge);
  bytes = good;
  Put32(bytes, 22, 0x80000000);
  EXPECT_EQ(Refused(bytes, "most negative height"), kTooLarge);
  bytes = good;
  Put32(bytes, 18, 0);
  EXPECT_EQ(Refused(bytes, "zero width"), fixtures::kCorruptText);
  bytes = good;
  Put32(bytes, 18, 16000);
  Put32(bytes, 22, 16000);
  EXPECT_EQ(Refused(bytes, "pixel data announced but missing"), fixtures::kCorruptText);
  bytes = good;
  bytes[28] = 7;
  EXPECT_EQ(Refused(bytes, "7 bits per pixel"), fixtures::kCorruptText);
}

TEST_F(CorruptInput, BmpRunLengthDataThatLies) {
  const std::vector<char> good = fixtures::ReadBytes(fixtures::Path("bmp-rle8.bmp"));
  std::vector<char> bytes = good;
  bytes.resize(bytes.size() - 8);  // the top row cut off in the middle
  EXPECT_EQ(Refused(bytes, "no end marker"), fixtures::kCorruptText);
  bytes = good;
  Put32(bytes, 22, static_cast<uint32_t>(-3));
  EXPECT_EQ(Refused(bytes, "run-length rows cannot be top-down"), fixtures::kCorruptText);
  bytes = good;
  bytes[28] = 24;
  EXPECT_EQ(Refused(bytes, "RLE8 with 24 bits"), fixtures::kCorruptText);

  // Absolute runs and jumps far outside the picture are clipped, not written.
  std::vector<char> wild = good;
  const uint32_t offset = static_cast<uint8_t>(good[10]) | static_cast<uint8_t>(good[11]) << 8;
  wild.resize(offset);
  for (const int c : {0, 2, 127, 127, 0, 200}) wild.push_back(static_cast<char>(c));
  for (int i = 0; i < 200; ++i) wild.push_back(7);
  for (const int c : {255, 9, 0, 1}) wild.push_back(static_cast<char>(c));
  const std::string path = folder.Path("wild.bmp");
  fixtures::WriteBytes(path, wild);
  imaging::Image guard;
  EXPECT_NE(fixtures::Open(guard, path).Pixels, nullptr);
}

TEST_F(CorruptInput, HeadersAnnouncingHugePicturesAreRefusedBeforeAllocating) {
  std::vector<char> png = fixtures::ReadBytes(fixtures::Path("png-rgb-8.png"));
  PutBig32(png, 16, 100000);
  PutBig32(png, 20, 100000);
  PutBig32(png, 29, Crc32(png.data() + 12, 17));
  EXPECT_EQ(Refused(png, "PNG 100000 x 100000"), kTooLarge);

  std::vector<char> jpeg = fixtures::ReadBytes(fixtures::Path("jpeg-baseline.jpg"));
  const std::string text(jpeg.begin(), jpeg.end());
  const size_t sof = text.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (size_t i : {sof + 5, sof + 7}) jpeg[i] = '\xEA';  // 60000 x 60000
  for (size_t i : {sof + 6, sof + 8}) jpeg[i] = '\x60';
  EXPECT_EQ(Refused(jpeg, "JPEG 60000 x 60000"), kTooLarge);
  for (size_t i : {sof + 5, sof + 6, sof + 7, sof + 8}) jpeg[i] = '\xFF';
  EXPECT_EQ(Refused(jpeg, "JPEG 65535 x 65535, beyond libjpeg's limit"), kTooLarge);

  std::vector<char> gif = fixtures::ReadBytes(fixtures::Path("gif-pattern.gif"));
  for (size_t i : {6, 7, 8, 9}) gif[i] = '\xFF';  // logical screen 65535 x 65535
  EXPECT_EQ(Refused(gif, "GIF 65535 x 65535"), kTooLarge);
}

TEST_F(CorruptInput, FileLargerThanAnyPictureIsNotRead) {
  const std::string path = folder.Path("huge.bmp");
  fixtures::WriteBytes(path, fixtures::ReadBytes(fixtures::Path("bmp-24.bmp")));
  std::filesystem::resize_file(path, (uintmax_t{3} << 30) + 1);  // sparse: costs no disk
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, path);
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(std::string(image.ErrorText), kTooLarge);
}

TEST_F(CorruptInput, PipesFoldersAndDevicesAreNotRead) {
  const std::string pipe = folder.Path("pipe.jpg");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {pipe, folder.Root().string(), std::string("/dev/zero")}) {
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, path);  // would block or never end if read
    EXPECT_EQ(image.Pixels, nullptr) << path;
    EXPECT_STREQ(image.ErrorText,
                 "Die Datei kann nicht ge\xF6"
                 "ffnet werden")
        << path;
  }
}

// Another program cuts the picture short while it is being decoded.
class CuttingShort : public platform::ProgressReceiver {
 public:
  explicit CuttingShort(std::string path) : path_(std::move(path)) {}
  void Progress(int percent) override {
    if (percent > 0 && percent < 100 && !cut_) cut_ = ::truncate(path_.c_str(), 200) == 0;
  }
  bool cut_ = false;

 private:
  std::string path_;
};

TEST_F(CorruptInput, PictureCutShortWhileDecodedIsReportedDamaged) {
  const std::string path = folder.Path("picture.bmp");
  WriteBmp(path, 300, 300, 24);
  CuttingShort cutter(path);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, path, &cutter);
  ASSERT_TRUE(cutter.cut_);
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(image.ErrorText, fixtures::kCorruptText);
}

TEST(OpenByContent, FileWithoutExtensionOpens) {
  TempFolder folder;
  const std::string path = folder.Path("picture");
  fixtures::WriteBytes(path, fixtures::ReadBytes(fixtures::Path("gif-pattern.gif")));
  imaging::Image guard;
  EXPECT_NE(fixtures::Open(guard, path).Pixels, nullptr);
}

TEST(OpenProgress, FailureStillEndsAtHundredAndNothingComesAfter) {
  fixtures::RecordingProgress progress;
  imaging::Image guard;
  fixtures::Open(guard, "/nonexistent/picture.png", &progress);
  EXPECT_EQ(progress.seen, (std::vector<int>{0, 100}));
}

}  // namespace
