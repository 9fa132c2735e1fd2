// The extra picture sizes through whole runs: what each key expands to for
// large, small, unreadable and 1-bit pictures, the files behind them, and
// nothing extra for a template set that does not use them.
#include <gtest/gtest.h>

#include "generator/ExtraSizes.h"
#include "generator/GenerateAlbum.h"
#include "imaging/Rastola.h"
#include "platform/Paths.h"
#include "support/BmpFiles.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace {

class ExtraSizesRun : public ::testing::Test {
 protected:
  ExtraSizesRun() { settings_.Backlink = false; }

  void UseFragments(const generator::TemplateFragments& f) { WriteFragmentSet(dir_, f); }
  void UseExtraKeys() { UseFragments(SmallFragmentsWithExtraSizes()); }
  void AddPicture(const std::string& name, int32_t width, int32_t height, int bits = 24) {
    std::filesystem::create_directories(dir_.Root() / "src");
    const std::string path = dir_.Path("src") + "/" + name;
    if (width > 0) WriteBmp(platform::ToFileSystem(path), width, height, bits);
    album::AlbumPicture picture;
    picture.FileName = path;
    pictures_.push_back(picture);
  }
  generator::GenerationResult Run() {
    generator::GenerationRequest request{
        settings_, dir_.Path("set") + "/", [&] { return std::optional(dir_.Path("out/index.htm")); }, 0, {}};
    return GenerateAlbum(pictures_, request, {messages_});
  }
  std::pair<int32_t, int32_t> JpegSize(const std::string& relative) {
    imaging::Image image;
    imaging::OpenDib(&image, dir_.Path(relative).c_str(), 0, nullptr);
    if (!image->Pixels) return {0, 0};
    return {imaging::DibWidth(*image), imaging::DibHeight(*image)};
  }
  std::vector<std::string> OutputEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Root() / "out"))
      if (entry.path().filename().string()[0] != '.') names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder dir_;
  album::AlbumSettings settings_;
  album::AlbumPictures pictures_;
  RecordingMessages messages_;
};

}  // namespace

TEST_F(ExtraSizesRun, KeysNameTheExtraFilesAndTheirSizes) {
  UseExtraKeys();
  AddPicture("Weit.bmp", 2400, 1200);     // screen picture and twice-size thumbnail
  AddPicture("Klein.bmp", 60, 40);        // neither: both would be enlarged
  AddPicture("Kaputt.bmp", 0, 0);         // missing: fails to open
  AddPicture("Strich.bmp", 400, 300, 1);  // 1 bit, promoted before scaling
  const generator::GenerationResult result = Run();
  ASSERT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(result.FailedPictures, 1);

  const std::string overview = dir_.Read("out/index.htm");
  EXPECT_NE(overview.find("loop ./mini/Weit.jpg 90x45 [./mini/Weit.jpg 1x, ./mini2x/Weit.jpg 2x]"), std::string::npos);
  EXPECT_NE(overview.find("loop ./mini/Klein.jpg 90x60 [./mini/Klein.jpg 1x]"), std::string::npos);
  // A failed picture keeps the box's size, so the grid does not move.
  EXPECT_NE(overview.find("loop ./mini/ 90x90 [./mini/]"), std::string::npos);
  EXPECT_NE(overview.find("loop ./mini/Strich.jpg 90x67 [./mini/Strich.jpg 1x, ./mini2x/Strich.jpg 2x]"),
            std::string::npos);

  EXPECT_EQ(dir_.Read("out/html/Weit.htm"),
            "../screen/Weit.jpg 2048x1024 [../screen/Weit.jpg 2048w, ../pics/Weit.jpg 2400w]\r\n\r\n");
  EXPECT_EQ(dir_.Read("out/html/Klein.htm"), "../pics/Klein.jpg 60x40 [../pics/Klein.jpg 60w]\r\n\r\n");
  EXPECT_EQ(dir_.Read("out/html/Strich.htm"), "../pics/Strich.jpg 400x300 [../pics/Strich.jpg 400w]\r\n\r\n");

  EXPECT_EQ(JpegSize("out/screen/Weit.jpg"), std::make_pair(2048, 1024));
  EXPECT_EQ(JpegSize("out/mini2x/Weit.jpg"), std::make_pair(180, 90));
  EXPECT_EQ(JpegSize("out/mini2x/Strich.jpg"), std::make_pair(180, 134));
  EXPECT_EQ(JpegSize("out/pics/Weit.jpg"), std::make_pair(2400, 1200));
  EXPECT_FALSE(dir_.Exists("out/mini2x/Klein.jpg"));
  EXPECT_FALSE(dir_.Exists("out/screen/Klein.jpg"));
  EXPECT_FALSE(dir_.Exists("out/screen/Strich.jpg"));
}

TEST_F(ExtraSizesRun, SecondRunTakesFreeNamesInTheExtraFolders) {
  UseExtraKeys();
  AddPicture("Weit.bmp", 2400, 1200);
  ASSERT_EQ(Run().Outcome, generator::RunOutcome::Completed);
  ASSERT_EQ(Run().Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(dir_.Read("out/html/Weit0.htm"),
            "../screen/Weit0.jpg 2048x1024 [../screen/Weit0.jpg 2048w, ../pics/Weit0.jpg 2400w]\r\n\r\n");
  EXPECT_NE(dir_.Read("out/index.htm").find("[./mini/Weit0.jpg 1x, ./mini2x/Weit0.jpg 2x]"), std::string::npos);
  EXPECT_EQ(JpegSize("out/mini2x/Weit0.jpg"), std::make_pair(180, 90));
}

TEST_F(ExtraSizesRun, SetWithoutTheKeysGetsNoExtraFilesAndKeepsKeyTextInValues) {
  UseFragments(SmallFragments());
  settings_.Caption = "%%MINIWIDTH%% %%SCREENPICSRC%%";
  AddPicture("Weit.bmp", 2400, 1200);
  ASSERT_EQ(Run().Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(OutputEntries(), (std::vector<std::string>{"html", "index.htm", "mini", "pics"}));
  EXPECT_EQ(dir_.Read("out/index.htm").substr(0, 50), "first %%MINIWIDTH%% %%SCREENPICSRC%% []\r\n\r\ncol1 []");
}

TEST_F(ExtraSizesRun, OnlyTheSizesAKeyAsksForAreMade) {
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::MainLoop] = generator::FragmentText("loop %%MINIWIDTH%%x%%MINIHEIGHT%%");
  f[generator::Fragment::DetailOverviewLink] = generator::FragmentText("up %%SCREENSRCSET%%");
  UseFragments(f);
  AddPicture("Weit.bmp", 2400, 1200);
  ASSERT_EQ(Run().Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(OutputEntries(), (std::vector<std::string>{"html", "index.htm", "mini", "pics", "screen"}));
  EXPECT_NE(dir_.Read("out/index.htm").find("loop 90x45"), std::string::npos);
  EXPECT_NE(dir_.Read("out/html/Weit.htm").find("up ../screen/Weit.jpg 2048w, ../pics/Weit.jpg 2400w"),
            std::string::npos);
}

TEST(ScreenSize, EvenFractionNearTheLongEdgeElseTheLongEdge) {
  EXPECT_EQ(generator::ScreenSize(4000, 3000)->Width, 2000);  // 2 x 2 average
  EXPECT_EQ(generator::ScreenSize(3000, 4000)->Height, 2000);
  EXPECT_EQ(generator::ScreenSize(6000, 4000)->Width, 2048);  // 4000 is not a multiple of 3
  EXPECT_EQ(generator::ScreenSize(6000, 4000)->Height, 1365);
  EXPECT_EQ(generator::ScreenSize(3000, 2000)->Width, 2048);  // 1500 would be too small
  EXPECT_EQ(generator::ScreenSize(2049, 1000)->Width, 2048);
  EXPECT_FALSE(generator::ScreenSize(2048, 1536));
}
