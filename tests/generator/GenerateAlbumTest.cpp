#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "generator/GenerateAlbum.h"
#include "imaging/Rastola.h"
#include "platform/Paths.h"
#include "support/BmpFiles.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace {

class RecordingObserver : public generator::PictureObserver {
 public:
  void PictureStarted(int32_t number, int32_t count) override {
    Calls.push_back(std::to_string(number) + "/" + std::to_string(count));
  }
  std::vector<std::string> Calls;
};

// Requests a stop when the picture `number` of `count` starts and `when` says so.
class StopWhen : public generator::PictureObserver {
 public:
  explicit StopWhen(std::function<bool(int32_t number, int32_t count)> when) : when_(std::move(when)) {}
  void PictureStarted(int32_t number, int32_t count) override {
    if (when_(number, count)) Stop.store(true);
  }
  std::atomic<bool> Stop{false};

 private:
  std::function<bool(int32_t, int32_t)> when_;
};

class GenerateAlbumTest : public ::testing::Test {
 protected:
  GenerateAlbumTest() {
    WriteSmallFragmentSet(dir_);
    settings_.PicturesPerRow = 2;
    settings_.Backlink = false;
  }

  // A source picture in "src", added to the album.
  std::string AddPicture(const std::string& name, int32_t width = 40, int32_t height = 30, int bits = 24) {
    std::filesystem::create_directories(dir_.Root() / "src");
    const std::string path = dir_.Path("src") + "/" + name;
    WriteBmp(platform::ToFileSystem(path), width, height, bits);
    return AddEntry(path);
  }
  std::string AddEntry(const std::string& path) {
    album::AlbumPicture picture;
    picture.FileName = path;
    pictures_.push_back(picture);
    return path;
  }

  generator::GenerationResult Run(const std::optional<std::string>& chosen) {
    bool asked = false;
    generator::GenerationRequest request{settings_,
                                         dir_.Path("set") + "/",
                                         [&] {
                                           asked = true;
                                           return chosen;
                                         },
                                         0,
                                         {}};
    generator::GenerationResult result = GenerateAlbum(pictures_, request, {messages_, nullptr, &observer_});
    dialogShown_ = asked;
    return result;
  }
  generator::GenerationResult RunInto(const std::string& relative) { return Run(dir_.Path(relative)); }

  // A run with `jobs` workers into the folder named like the number, stopped by `stopper`.
  generator::GenerationResult RunStopped(int32_t jobs, StopWhen& stopper) {
    const std::string overview = dir_.Path(std::to_string(jobs) + "/index.htm");
    generator::GenerationRequest request{
        settings_, dir_.Path("set") + "/", [&] { return std::optional(overview); }, jobs, {}};
    return GenerateAlbum(pictures_, request, {messages_, nullptr, &stopper, &stopper.Stop});
  }

  // Width and height of a written JPEG, read back through the library.
  std::pair<int32_t, int32_t> SizeOf(const std::string& relative) {
    imaging::Image image;
    imaging::OpenDib(&image, dir_.Path(relative).c_str(), 0, nullptr);
    if (!image->Pixels) return {0, 0};
    EXPECT_EQ(imaging::DibBitCount(*image), 24u) << relative;
    return {imaging::DibWidth(*image), imaging::DibHeight(*image)};
  }

  TempFolder dir_;
  album::AlbumSettings settings_;
  album::AlbumPictures pictures_;
  RecordingMessages messages_;
  RecordingObserver observer_;
  bool dialogShown_ = false;
};

}  // namespace

TEST_F(GenerateAlbumTest, WritesTheWholeAlbumByteExact) {
  AddPicture("Bild.bmp");
  pictures_.push_back(pictures_[0]);
  pictures_[1].Comment = "Zweimal \xFC";
  AddPicture("Urlaub am Meer (2).bmp");
  const generator::GenerationResult result = RunInto("out/album/index.htm");

  EXPECT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(result.FailedPictures, 0);
  EXPECT_EQ(result.OverviewPath, dir_.Path("out/album/index.htm"));
  EXPECT_TRUE(messages_.Lines().empty());
  EXPECT_EQ(observer_.Calls, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
  EXPECT_EQ(dir_.Read("out/album/index.htm"),
            "first Web Lumivista []\r\n\r\n"
            "col1 []\r\n\r\n"
            "loop ./html/Bild.htm ./mini/Bild.jpg %%COMMENT%%\r\n\r\n"
            "loop ./html/Bild0.htm ./mini/Bild0.jpg %%COMMENT%%\r\n\r\n"
            "col2\r\n\r\n"
            "col1 [./mini/Bild0.jpg]\r\n\r\n"
            "loop ./html/UrlaubamMeer2.htm ./mini/UrlaubamMeer2.jpg %%COMMENT%%\r\n\r\n"
            "empty [./mini/UrlaubamMeer2.jpg]\r\n\r\n"
            "col2\r\n\r\n"
            "end 3 90\r\n\r\n");
  EXPECT_EQ(dir_.Read("out/album/html/Bild0.htm"),
            "<Web Lumivista|../pics/Bild0.jpg|Zweimal &uuml;|3|%%CAPTION%%>\r\n"
            "prev Bild.htm %%LINKS%%\r\nnext UrlaubamMeer2.htm\r\nup ../index.htm\r\n.\r\n\r\n");
  for (const char* name : {"Bild", "Bild0", "UrlaubamMeer2"}) {
    EXPECT_EQ(SizeOf(std::string("out/album/pics/") + name + ".jpg"), std::make_pair(40, 30));
    EXPECT_EQ(SizeOf(std::string("out/album/mini/") + name + ".jpg"), std::make_pair(90, 67));
  }
}

TEST_F(GenerateAlbumTest, ThumbnailsFitTheBoxAndPalettePicturesArePromoted) {
  AddPicture("quer.bmp", 1600, 1200);
  AddPicture("hoch.bmp", 1200, 1600);
  AddPicture("klein.bmp", 60, 40, 8);
  AddPicture("streifen.bmp", 3000, 20);
  EXPECT_EQ(RunInto("index.htm").FailedPictures, 0);
  EXPECT_EQ(SizeOf("mini/quer.jpg"), std::make_pair(90, 67));
  EXPECT_EQ(SizeOf("mini/hoch.jpg"), std::make_pair(67, 90));
  EXPECT_EQ(SizeOf("mini/klein.jpg"), std::make_pair(90, 60));
  EXPECT_EQ(SizeOf("mini/streifen.jpg"), std::make_pair(90, 1));
  EXPECT_EQ(SizeOf("pics/klein.jpg"), std::make_pair(60, 40));
  EXPECT_EQ(SizeOf("pics/quer.jpg"), std::make_pair(1600, 1200));
}

TEST_F(GenerateAlbumTest, NamesCollideOnlyAfterDroppingCharacters) {
  AddPicture("Bild 1.bmp");
  AddPicture("Bild1.bmp");
  AddPicture("\xC4\xD6.bmp");
  AddPicture("__.bmp");
  EXPECT_EQ(RunInto("index.htm").FailedPictures, 0);
  for (const char* file : {"html/Bild1.htm", "html/Bild10.htm", "html/0.htm", "html/1.htm", "pics/Bild1.jpg",
                           "pics/Bild10.jpg", "pics/0.jpg", "pics/1.jpg", "mini/Bild10.jpg", "mini/1.jpg"})
    EXPECT_TRUE(dir_.Exists(file)) << file;
  for (const char* hidden : {"html/.htm", "pics/.jpg", "mini/.jpg"}) EXPECT_FALSE(dir_.Exists(hidden)) << hidden;
}

TEST_F(GenerateAlbumTest, UnreadablePictureKeepsItsReservedPageAndNeighboursLinkToIt) {
  AddPicture("a.bmp");
  const std::string missing = AddEntry(dir_.Path("src/fehlt.jpg"));
  dir_.Write("src/kaputt.jpg", "kein Bild");
  const std::string broken = AddEntry(dir_.Path("src/kaputt.jpg"));
  AddPicture("b.bmp");
  const generator::GenerationResult result = RunInto("index.htm");

  EXPECT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(result.FailedPictures, 2);
  EXPECT_EQ(messages_.Lines(), (std::vector<std::string>{"[] Fehler: Folgende Datei konnte nicht ge\xF6"
                                                         "ffnet werden: " +
                                                             missing,
                                                         "[] Fehler: Folgende Datei konnte nicht ge\xF6"
                                                         "ffnet werden: " +
                                                             broken}));
  EXPECT_EQ(messages_.Calls[0].Detail,
            "Die Datei kann nicht ge\xF6"
            "ffnet werden");
  EXPECT_EQ(messages_.Calls[1].Detail, "Unbekanntes Dateiformat");
  EXPECT_EQ(dir_.Read("html/fehlt.htm"), "");
  EXPECT_FALSE(dir_.Exists("pics/fehlt.jpg"));
  EXPECT_FALSE(dir_.Exists("mini/kaputt.jpg"));
  EXPECT_NE(dir_.Read("html/a.htm").find("next fehlt.htm"), std::string::npos);
  EXPECT_NE(dir_.Read("html/b.htm").find("prev kaputt.htm"), std::string::npos);
  EXPECT_NE(dir_.Read("index.htm").find("loop ./html/fehlt.htm ./mini/ "), std::string::npos);
}

TEST_F(GenerateAlbumTest, SecondRunWritesNumberedFilesBesideTheFirst) {
  AddPicture("Bild.bmp");
  RunInto("index.htm");
  const std::string firstPage = dir_.Read("html/Bild.htm");
  RunInto("index.htm");
  EXPECT_EQ(dir_.Read("html/Bild.htm"), firstPage);
  EXPECT_TRUE(dir_.Exists("html/Bild0.htm"));
  EXPECT_TRUE(dir_.Exists("pics/Bild0.jpg"));
  EXPECT_TRUE(dir_.Exists("mini/Bild0.jpg"));
  EXPECT_NE(dir_.Read("index.htm").find("loop ./html/Bild0.htm ./mini/Bild0.jpg"), std::string::npos);
  EXPECT_NE(dir_.Read("html/Bild0.htm").find("../pics/Bild0.jpg"), std::string::npos);
}

TEST_F(GenerateAlbumTest, EmptyAlbumGivesFirstAndEndAndThreeEmptyFolders) {
  EXPECT_EQ(RunInto("leer/index.htm").Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(dir_.Read("leer/index.htm"), "first Web Lumivista []\r\n\r\nend 3 90\r\n\r\n");
  for (const char* sub : {"leer/html", "leer/pics", "leer/mini"})
    EXPECT_TRUE(std::filesystem::is_empty(dir_.Root() / sub)) << sub;
}

TEST_F(GenerateAlbumTest, MissingFragmentEndsTheRunBeforeTheDialog) {
  AddPicture("a.bmp");
  std::filesystem::remove(dir_.Root() / "set" / "detailnextlink.htm");
  const generator::GenerationResult result = RunInto("out/index.htm");
  EXPECT_EQ(result.Outcome, generator::RunOutcome::MissingFragment);
  EXPECT_FALSE(dialogShown_);
  EXPECT_FALSE(dir_.Exists("out"));
  EXPECT_EQ(messages_.Lines(), (std::vector<std::string>{"[title] Datei " + dir_.Path("set") +
                                                         "/detailnextlink.htm kann nicht ge\xF6"
                                                         "ffnet werden."}));
}

TEST_F(GenerateAlbumTest, CancellingTheDialogWritesNothing) {
  AddPicture("a.bmp");
  EXPECT_EQ(Run(std::nullopt).Outcome, generator::RunOutcome::Cancelled);
  EXPECT_TRUE(dialogShown_);
  EXPECT_TRUE(messages_.Lines().empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Root()), {}), 2);  // set and src only
}

TEST_F(GenerateAlbumTest, FolderThatCannotBeCreatedEndsTheRun) {
  AddPicture("a.bmp");
  dir_.Write("datei", "x");
  EXPECT_EQ(RunInto("datei/unter/index.htm").Outcome, generator::RunOutcome::FolderNotCreatable);
  EXPECT_EQ(messages_.Lines(), (std::vector<std::string>{"[Fehler] Konnte das Verzeichnis nicht erstellen!"}));
}

TEST_F(GenerateAlbumTest, OverviewThatCannotBeCreatedKeepsThePictures) {
  AddPicture("a.bmp");
  std::filesystem::create_directories(dir_.Root() / "out" / "index.htm");
  const generator::GenerationResult result = RunInto("out/index.htm");
  EXPECT_EQ(result.Outcome, generator::RunOutcome::OverviewNotCreatable);
  EXPECT_EQ(messages_.Lines(),
            (std::vector<std::string>{"[Fehler] HTML Datei erstellen: Konnte die Datei index.htm nicht erstellen!"}));
  EXPECT_TRUE(dir_.Exists("out/pics/a.jpg"));
  EXPECT_TRUE(dir_.Exists("out/html/a.htm"));
}

TEST_F(GenerateAlbumTest, DetailPageThatCannotBeCreatedStillGetsItsThumbnail) {
  AddPicture("a.bmp");
  dir_.Write("html", "im Weg");
  const generator::GenerationResult result = RunInto("index.htm");
  EXPECT_EQ(result.FailedPictures, 1);
  EXPECT_EQ(messages_.Lines(),
            (std::vector<std::string>{"[Fehler] HTML Datei erstellen: Konnte die Datei a.htm nicht erstellen!"}));
  EXPECT_TRUE(dir_.Exists("pics/a.jpg"));
  EXPECT_TRUE(dir_.Exists("mini/a.jpg"));
}

TEST_F(GenerateAlbumTest, PictureThatCannotBeWrittenIsReportedAndNotLinked) {
  AddPicture("a.bmp");
  dir_.Write("pics", "im Weg");
  const generator::GenerationResult result = RunInto("index.htm");
  EXPECT_EQ(result.FailedPictures, 1);
  EXPECT_EQ(messages_.Lines(),
            (std::vector<std::string>{"[Fehler] JPEG Datei erstellen: Konnte die Datei a.jpg nicht erstellen!"}));
  EXPECT_NE(dir_.Read("html/a.htm").find("|../pics/|"), std::string::npos);
  EXPECT_TRUE(dir_.Exists("mini/a.jpg"));
}

TEST_F(GenerateAlbumTest, BareFileNameWritesIntoTheProgramFolder) {
  const std::string saved = platform::ProgramFolder();
  platform::SetProgramFolder(dir_.Path("programm"));
  std::filesystem::create_directories(dir_.Root() / "programm");
  AddPicture("a.bmp");
  const generator::GenerationResult result = Run(std::string("album.htm"));
  platform::SetProgramFolder(saved);
  EXPECT_EQ(result.OverviewPath, dir_.Path("programm/album.htm"));
  EXPECT_TRUE(dir_.Exists("programm/album.htm"));
  EXPECT_TRUE(dir_.Exists("programm/html/a.htm"));
  EXPECT_NE(dir_.Read("programm/html/a.htm").find("up ../album.htm"), std::string::npos);
}

TEST_F(GenerateAlbumTest, SettingsBelowTheirMinimumAreRaised) {
  settings_.PicturesPerRow = 0;
  settings_.ThumbWidth = -5;
  settings_.ThumbHeight = 0;
  AddPicture("a.bmp", 40, 30);
  EXPECT_EQ(RunInto("index.htm").FailedPictures, 0);
  EXPECT_EQ(SizeOf("mini/a.jpg"), std::make_pair(1, 1));
  EXPECT_NE(dir_.Read("index.htm").find("col2"), std::string::npos);
}

// A stop requested while picture 2 is in work: sequentially, picture 2 is
// finished and picture 3 never started; with a pool, the pictures already in
// work are finished, so a complete prefix of the album is written. Never an
// overview page that points at an incomplete album.
TEST_F(GenerateAlbumTest, StopFinishesThePictureInWorkAndWritesNoOverview) {
  const std::vector<std::string> names{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
  for (const std::string& name : names) AddPicture(name + ".bmp");
  for (const int32_t jobs : {1, 4}) {
    SCOPED_TRACE(jobs);
    StopWhen stopper([](int32_t number, int32_t) { return number == 2; });
    const generator::GenerationResult result = RunStopped(jobs, stopper);
    EXPECT_EQ(result.Outcome, generator::RunOutcome::Stopped);
    EXPECT_EQ(result.FailedPictures, 0);
    if (jobs == 1) {
      EXPECT_EQ(result.PicturesMade, 2);
    }
    EXPECT_GE(result.PicturesMade, 2);
    EXPECT_LT(result.PicturesMade, static_cast<int32_t>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
      const bool made = static_cast<int32_t>(i) < result.PicturesMade;
      for (const char* kind : {"/pics/", "/mini/"})
        EXPECT_EQ(dir_.Exists(std::to_string(jobs) + kind + names[i] + ".jpg"), made) << names[i];
    }
    EXPECT_FALSE(dir_.Exists(std::to_string(jobs) + "/index.htm"));
  }
}

// Stopping while the last pictures are already in work: they are finished,
// and the overview is still not written, whatever the number of jobs.
TEST_F(GenerateAlbumTest, StopWhenEveryPictureIsInWorkStillWritesNoOverview) {
  AddPicture("a.bmp");
  AddPicture("b.bmp");
  for (const int32_t jobs : {1, 4}) {
    SCOPED_TRACE(jobs);
    StopWhen stopper([](int32_t number, int32_t count) { return number == count; });
    const generator::GenerationResult result = RunStopped(jobs, stopper);
    EXPECT_EQ(result.Outcome, generator::RunOutcome::Stopped);
    EXPECT_EQ(result.PicturesMade, 2);
    EXPECT_FALSE(dir_.Exists(std::to_string(jobs) + "/index.htm"));
  }
}

TEST_F(GenerateAlbumTest, PictureBeyondTheJpegLimitGetsAMessageNamingIt) {
  AddPicture("breit.bmp", 70000, 2);
  const generator::GenerationResult result = RunInto("index.htm");
  EXPECT_EQ(result.FailedPictures, 1);
  EXPECT_EQ(
      messages_.Lines(),
      (std::vector<std::string>{"[Fehler] JPEG Datei erstellen: Konnte die Datei breit.jpg nicht erstellen! Das Bild "
                                "ist 70000 x 2 Pixel gro\xDF; JPEG erlaubt h\xF6"
                                "chstens 65535 Pixel Breite und "
                                "H\xF6he."}));
  EXPECT_FALSE(dir_.Exists("pics/breit.jpg"));
  EXPECT_TRUE(dir_.Exists("mini/breit.jpg"));
}

// Names of up to 255 bytes are the file system's own limit, and ours.
TEST_F(GenerateAlbumTest, LongestNamesRoundTrip) {
  const std::string base(246, 'a');
  AddPicture(base + ".bmp");
  EXPECT_EQ(RunInto("index.htm").FailedPictures, 0);
  EXPECT_TRUE(messages_.Lines().empty());
  EXPECT_EQ(SizeOf("pics/" + base + ".jpg"), std::make_pair(40, 30));
  EXPECT_EQ(SizeOf("mini/" + base + ".jpg"), std::make_pair(90, 67));
  EXPECT_NE(dir_.Read("html/" + base + ".htm").find("../pics/" + base + ".jpg"), std::string::npos);
}
