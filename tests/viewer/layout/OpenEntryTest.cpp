#include <gtest/gtest.h>

#include "viewer/layout/OpenEntry.h"

using viewer::BringIntoPreview;

namespace {

album::AlbumPictures Album() {
  album::AlbumPictures pictures(2);
  pictures[0].FileName = "/bilder/a.jpg";
  pictures[1].FileName = "/bilder/B.jpg";
  return pictures;
}

}  // namespace

TEST(BringIntoPreview, LoadsOnlyWhenThePreviewHoldsAnotherFile) {
  const album::AlbumPictures pictures = Album();
  std::string preview = "/bilder/a.jpg";
  int loads = 0;
  auto load = [&] {
    ++loads;
    preview = "/bilder/B.jpg";
  };
  EXPECT_TRUE(BringIntoPreview(pictures, 0, preview, load));
  EXPECT_EQ(loads, 0);
  EXPECT_TRUE(BringIntoPreview(pictures, 1, preview, load));
  EXPECT_TRUE(BringIntoPreview(pictures, 1, preview, load));
  EXPECT_EQ(loads, 1);
}

TEST(BringIntoPreview, ComparesFileNamesByteForByte) {
  const album::AlbumPictures pictures = Album();
  std::string preview = "/bilder/b.jpg";
  int loads = 0;
  EXPECT_FALSE(BringIntoPreview(pictures, 1, preview, [&] { ++loads; }));
  EXPECT_EQ(loads, 1);
}

TEST(BringIntoPreview, FailedLoadOrBadIndexOpensNothing) {
  const album::AlbumPictures pictures = Album();
  std::string preview;
  int loads = 0;
  auto failingLoad = [&] { ++loads; };
  EXPECT_FALSE(BringIntoPreview(pictures, 0, preview, failingLoad));
  EXPECT_FALSE(BringIntoPreview(pictures, -1, preview, failingLoad));
  EXPECT_FALSE(BringIntoPreview(pictures, 2, preview, failingLoad));
  EXPECT_FALSE(BringIntoPreview({}, 0, preview, failingLoad));
  EXPECT_EQ(loads, 1);
}
