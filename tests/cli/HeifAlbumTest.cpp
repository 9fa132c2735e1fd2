// A phone's folder of HEIC and AVIF pictures (with an Adobe RGB camera JPEG
// beside them) goes through lumivista-cli into a working album whose copies
// and thumbnails are plain JPEGs: right size, source colours, no EXIF or GPS.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "support/HeifFixtures.h"
#include "support/CliRunner.h"

namespace fs = std::filesystem;
using heiffixtures::Quoted;
using heiffixtures::RunTool;

namespace {

bool HasMetadataSegment(const std::string& jpeg) {
  for (size_t at = 2; at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF && uint8_t(jpeg[at + 1]) != 0xDA;) {
    if (uint8_t(jpeg[at + 1]) == 0xE1 || uint8_t(jpeg[at + 1]) == 0xE2) return true;
    at += 2 + (size_t(uint8_t(jpeg[at + 2])) << 8 | uint8_t(jpeg[at + 3]));
  }
  return false;
}

class HeifAlbum : public TempFolderTest {};

TEST_F(HeifAlbum, PhonePicturesBecomeAnAlbumOfPlainJpegCopies) {
  const fs::path phone = folder_ / "Handy";
  fs::create_directories(phone);
  const std::string pattern = (phone / "pattern.png").string();
  heiffixtures::BlowUp("png-rgb-8.png", "", "PNG24:" + pattern);
  heiffixtures::HeifEnc(pattern, (phone / "IMG_0001.HEIC").string());
  heiffixtures::HeifEnc(pattern, (phone / "IMG_0002.avif").string());
  RunTool("convert " + Quoted(pattern) + " -profile /usr/share/color/icc/sRGB.icc -profile " +
          "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc -quality 97 " + Quoted((phone / "DSC_0003.jpg").string()));
  fs::remove(pattern);

  const CliResult made = RunCli(folder_, {"new", "album.lva", (phone / "IMG_0001.HEIC").string(),
                                          (phone / "IMG_0002.avif").string(), (phone / "DSC_0003.jpg").string()});
  ASSERT_EQ(made.status, 0) << made.err;
  const CliResult built = RunCli(folder_, {"build", "album.lva", "web/index.htm", "--quiet"});
  ASSERT_EQ(built.status, 0) << built.err;

  int copies = 0, thumbnails = 0;
  for (const char* part : {"pics", "mini"}) {
    for (const auto& entry : fs::directory_iterator(folder_ / "web" / part)) {
      SCOPED_TRACE(entry.path().string());
      EXPECT_FALSE(HasMetadataSegment(ReadFileBytes(entry.path())));
      imaging::DibGuard guard;
      const imaging::RasterImage& image = fixtures::Open(guard, entry.path().string());
      ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
      if (std::string(part) == "mini") {
        ++thumbnails;
        continue;
      }
      ++copies;
      heiffixtures::ExpectBlocks(image, 16, [](int x, int y) { return fixtures::kPattern[y][x]; });
    }
  }
  EXPECT_EQ(copies, 3);
  EXPECT_EQ(thumbnails, 3);
}

}  // namespace
