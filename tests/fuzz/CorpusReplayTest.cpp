// Replays the fuzzers' saved inputs in the normal test run: each picture
// either opens as a consistent picture or fails with a message, and each
// album file the reader accepts reads back the same after writing it again.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "album/AlbumFileFormat.h"
#include "imaging/Rastola.h"
#include "platform/SafeFile.h"

namespace {

std::filesystem::path Corpus(const char* target) {
  return std::filesystem::path(LUMIVISTA_SOURCE_DIR) / "tests/fuzz/corpus" / target;
}

TEST(FuzzCorpus, EverySavedInputOpensOrFailsCleanly) {
  const std::filesystem::path corpus = Corpus("open_dib");
  int replayed = 0, heifOpened = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string path = entry.path().string();
    SCOPED_TRACE(path);
    imaging::Image guard;
    imaging::OpenDib(&guard, path.c_str(), 0, nullptr);
    const imaging::RasterImage& image = *guard;
    ++replayed;
    if (!image.Pixels) {
      EXPECT_GT(std::strlen(image.ErrorText), 5u);
      continue;
    }
    const BITMAPINFOHEADER& h = image.Info->bmiHeader;
    EXPECT_GT(h.biWidth, 0);
    EXPECT_GT(h.biHeight, 0);
    EXPECT_EQ(image.Stride, DibStride(h.biWidth, h.biBitCount));
    EXPECT_EQ(int64_t{h.biSizeImage}, int64_t{image.Stride} * h.biHeight);
    const std::string extension = entry.path().extension().string();
    if (extension == ".heic" || extension == ".avif") ++heifOpened;
  }
  EXPECT_GE(replayed, 10);
  // The HEIC and AVIF seeds reach libheif's decoders, not only the sniffing.
  EXPECT_GE(heifOpened, 6);
}

TEST(FuzzCorpus, EverySavedAlbumFileIsRefusedOrRoundTrips) {
  const std::string albumPath = "/alben/urlaub.lva";
  int accepted = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Corpus("album_file"))) {
    SCOPED_TRACE(entry.path().string());
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(entry.path().string(), bytes));
    const auto album = album::DecodeAlbumFile(bytes, albumPath, album::AlbumSettings{});
    if (!album) {
      ++refused;
      continue;
    }
    ++accepted;
    const auto written = album::EncodeAlbumFile(album->Pictures, album->Settings, albumPath);
    ASSERT_TRUE(written.has_value());
    const auto again = album::DecodeAlbumFile(*written, albumPath, album::AlbumSettings{});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->Pictures, album->Pictures);
    EXPECT_EQ(again->Settings, album->Settings);
  }
  EXPECT_GE(accepted, 3);
  EXPECT_GE(refused, 1);
}

}  // namespace
