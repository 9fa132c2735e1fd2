// Replays the fuzzers' saved inputs through OpenDib in the normal test run:
// each one either opens as a consistent picture or fails with a message.
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "imaging/Rastola.h"

namespace {

TEST(FuzzCorpus, EverySavedInputOpensOrFailsCleanly) {
  const std::filesystem::path corpus = std::filesystem::path(LUMIVISTA_SOURCE_DIR) / "tests/fuzz/corpus/open_dib";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string path = entry.path().string();
    SCOPED_TRACE(path);
    DibGuard guard;
    OpenDib(guard.out(), path.c_str(), 0, nullptr);
    const RasterImage& image = guard.get();
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
  }
  EXPECT_GE(replayed, 10);
}

}  // namespace
