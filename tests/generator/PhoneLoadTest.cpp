// Each shipped design loaded as a phone loads it: headless Chromium at
// 390 x 844 CSS pixels, scale 3, from a logging HTTP server on 127.0.0.1
// (phoneload.js). A large picture first, then enough small ones for a grid
// of several screens.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "DesignAlbum.h"
#include "generator/GenerateAlbum.h"
#include "platform/Paths.h"
#include "support/BmpFiles.h"

namespace {

constexpr int kSmallPictures = 89;

// A 24-bit BMP like a camera picture: smooth light with a little grain.
void WritePhotoLikeBmp(const std::string& fsPath, int32_t width, int32_t height) {
  const uint32_t stride = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
  std::vector<uint8_t> out = {'B', 'M'};
  PutLe(out, 54 + stride * static_cast<uint32_t>(height), 4);
  for (uint32_t v : {0u, 54u, 40u}) PutLe(out, v, 4);
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  for (int i = 0; i < 6; ++i) PutLe(out, 0, 4);
  uint32_t grain = 12345;
  for (int32_t y = 0; y < height; ++y) {
    std::vector<uint8_t> row(stride, 0);
    for (int32_t x = 0; x < width; ++x) {
      grain = grain * 1103515245u + 12345u;
      const int noise = static_cast<int>((grain >> 16) % 9) - 4;
      row[3 * x] = static_cast<uint8_t>(40 + 150 * y / height + noise);
      row[3 * x + 1] = static_cast<uint8_t>(60 + 120 * x / width + noise);
      row[3 * x + 2] = static_cast<uint8_t>(200 - 100 * (x + y) / (width + height) + noise);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  std::ofstream(fsPath, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

std::map<std::string, double> Figures(const std::string& output) {
  std::map<std::string, double> figures;
  std::istringstream lines(output);
  std::string name;
  double value = 0;
  while (lines >> name >> value) figures[name] = value;
  return figures;
}

std::string CommandOutput(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  status = pclose(pipe);
  return output;
}

class PhoneLoad : public ::testing::TestWithParam<std::string> {
 protected:
  // Builds the album into "album/" and gives its pictures.
  void BuildAlbum() {
    dir_.MakeFolder("src");
    WritePhotoLikeBmp(platform::ToFileSystem(dir_.Path("src/Gross.bmp")), 4000, 3000);
    WriteBmp(platform::ToFileSystem(dir_.Path("src/Klein.bmp")), 400, 300, 24);
    album::AlbumPictures pictures(1 + kSmallPictures);
    pictures[0].FileName = dir_.Path("src/Gross.bmp");
    for (int i = 1; i <= kSmallPictures; ++i) pictures[i].FileName = dir_.Path("src/Klein.bmp");
    album::AlbumSettings settings;
    RecordingMessages messages;
    generator::GenerationRequest request{settings,
                                         generator::TemplateSetFolder(kShippedTemplates, GetParam()),
                                         [&] { return std::optional(dir_.Path("album/index.htm")); },
                                         0,
                                         {}};
    ASSERT_EQ(generator::GenerateAlbum(pictures, request, {messages}).Outcome, generator::RunOutcome::Completed);
  }

  TempFolder dir_;
};

}  // namespace

TEST_P(PhoneLoad, ThumbnailsSharpDetailPageSmallPicturesLazy) {
  BuildAlbum();
  int status = -1;
  const std::string output = CommandOutput("node '" LUMIVISTA_SOURCE_DIR "/tests/generator/phoneload.js' '" +
                                               dir_.Path("album") + "' index.htm html/Gross.htm",
                                           status);
  ASSERT_EQ(status, 0) << "phoneload.js (needs node and chromium) said:\n" << output;
  std::cout << GetParam() << ":\n" << output;
  std::map<std::string, double> f = Figures(output);

  // Every thumbnail on the first screen has two image pixels per CSS pixel.
  EXPECT_GE(f["overview-min-density"], 2.0);
  // The overview loads thumbnails only: those in view and one screen below,
  // the others as they come near.
  EXPECT_EQ(f["overview-other-pictures-fetched"], 0);
  EXPECT_GE(f["overview-thumbnails-fetched"], f["overview-in-view"]);
  EXPECT_LE(f["overview-thumbnails-fetched"], f["overview-within-two-screens"]);
  EXPECT_LT(f["overview-within-two-screens"], f["overview-pictures"]);
  EXPECT_EQ(f["overview-thumbnails-after-scrolling"], f["overview-pictures"]);
  // The detail page costs at most a quarter of the full copy, which it only links.
  EXPECT_GT(f["detail-full-copy-bytes"], 0);
  EXPECT_LE(f["detail-bytes"] * 4, f["detail-full-copy-bytes"]);
  EXPECT_EQ(f["detail-full-copy-fetched"], 0);
  EXPECT_GE(f["detail-shown-density"], 3.0);
}

INSTANTIATE_TEST_SUITE_P(Designs, PhoneLoad, ::testing::Values("Klassisch", "Modern", "Schlicht"),
                         [](const auto& info) { return info.param; });
