// A phone's folder of HEIC and AVIF pictures (with an Adobe RGB camera JPEG
// beside them) goes through lumivista-cli into a working album whose copies
// and thumbnails are plain JPEGs: right size, source colours, no EXIF or GPS.
#include <gtest/gtest.h>

#include "support/CliRunner.h"
#include "support/HeifFixtures.h"
#include "support/TempFolder.h"

// clang 14 names AddressSanitizer only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define HEIF_ALBUM_UNDER_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HEIF_ALBUM_UNDER_ASAN
#endif
#endif

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
          "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc -quality 97 " +
          Quoted((phone / "DSC_0003.jpg").string()));
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
      imaging::Image guard;
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

// Runs `lumivista-cli build` in `folder` with its address space limited as
// `ulimit -v` does; the status, and what it printed on standard error.
CliResult BuildUnderMemoryLimit(const fs::path& folder, const std::string& overview, int jobs, long kilobytes) {
  const std::string command = "cd " + Quoted(folder.string()) + " && ulimit -v " + std::to_string(kilobytes) + " && " +
                              Quoted(LUMIVISTA_CLI) + " build album.lva " + Quoted(overview) + " --quiet --jobs " +
                              std::to_string(jobs) + " 2> .stderr";
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  result.err = ReadFileBytes(folder / ".stderr");
  return result;
}

// Two grid pictures of 32 x 32 tiles sharing one coded tile: 16384 x 16384
// pixels each, the most a picture may have, from a file of a few kilobytes.
// Under an address-space limit that one such picture fits with room to
// spare, but not two, both still make it with four workers, as with one:
// the decodes wait for each other instead of failing or aborting.
TEST_F(HeifAlbum, GridPicturesUnderAMemoryLimitGiveTheSameAlbumWithOneAndFourJobs) {
#if defined(HEIF_ALBUM_UNDER_ASAN)
  GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no address-space limit fits beside it";
#endif
  RunTool("convert -size 512x512 gradient:red-blue " + Quoted("PNG24:" + (folder_ / "tile.png").string()));
  heiffixtures::HeifEnc((folder_ / "tile.png").string(), (folder_ / "tile.heic").string(), "-q 50");
  const std::vector<uint8_t> grid =
      heiffixtures::GridOfOneTile(heiffixtures::ReadFile((folder_ / "tile.heic").string()), 32, 32);
  ASSERT_FALSE(grid.empty());
  constexpr int kPictures = 2;
  for (int i = 1; i <= kPictures; ++i)
    heiffixtures::WriteFile((folder_ / ("grid" + std::to_string(i) + ".heic")).string(), grid);
  const CliResult made = RunCli(folder_, {"new", "album.lva", "grid1.heic", "grid2.heic"});
  ASSERT_EQ(made.status, 0) << made.err;

  constexpr long kLimit = 3000000;  // kilobytes
  for (const int jobs : {1, 4}) {
    const CliResult built = BuildUnderMemoryLimit(folder_, "jobs" + std::to_string(jobs) + "/index.htm", jobs, kLimit);
    EXPECT_EQ(built.status, 0) << "--jobs " << jobs << ": " << built.err;
    EXPECT_EQ(built.err, "") << "--jobs " << jobs;
  }
  for (const char* part : {"pics", "mini", "html"}) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder_ / "jobs1" / part)) {
      ++files;
      const fs::path other = folder_ / "jobs4" / part / entry.path().filename();
      EXPECT_TRUE(ReadFileBytes(entry.path()) == ReadFileBytes(other)) << other;
    }
    EXPECT_EQ(files, kPictures) << part;
  }
  imaging::Image copy;
  const imaging::RasterImage& image = fixtures::Open(copy, (folder_ / "jobs4" / "pics" / "grid1.jpg").string());
  ASSERT_NE(image.Pixels, nullptr);
  EXPECT_EQ(imaging::DibWidth(image), 16384);
  EXPECT_EQ(imaging::DibHeight(image), 16384);
}

}  // namespace
