// lumivista-cli build and templates, run as a script would run them.
#include <gtest/gtest.h>

#include "support/BmpFiles.h"
#include "support/CliRunner.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"
#include "album/AlbumFile.h"

namespace {

class BuildCommandTest : public ::testing::Test {
 protected:
  BuildCommandTest() {
    const TemplateFragments f = SmallFragments();
    for (const char* set : {"eins", "Zwei"})
      for (size_t i = 0; i < kFragmentCount; ++i)
        dir_.Write(std::string("designs/") + set + "/" + FragmentFileName(static_cast<Fragment>(i)),
                   f[static_cast<Fragment>(i)]);
    dir_.Write("designs/eins/mainend.htm", "ENDE%%POWERED%%");
    dir_.Write("designs/liesmich.txt", "keine Vorlage");
    settings_.PicturesPerRow = 2;
  }

  void SaveAlbum(const std::vector<std::string>& pictureNames) {
    AlbumPictures pictures;
    for (const std::string& name : pictureNames) {
      AlbumPicture p;
      p.FileName = dir_.Path(name);
      if (name.find(".bmp") != std::string::npos) WriteBmp((dir_.Root() / name).string(), 32, 24, 24);
      pictures.push_back(p);
    }
    RecordingMessages messages;
    ASSERT_TRUE(SaveFile(dir_.Path("album.lva"), pictures, settings_, messages));
  }

  CliResult Cli(std::initializer_list<std::string> args) { return RunCli(dir_.Root(), args); }

  TempFolder dir_;
  AlbumSettings settings_;
};

}  // namespace

TEST_F(BuildCommandTest, BuildsTheAlbumWithTheFirstDesign) {
  SaveAlbum({"a.bmp", "b.bmp"});
  const CliResult r = Cli({"build", "album.lva", "web/index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");  // no progress when standard error is not a terminal
  EXPECT_EQ(dir_.Read("web/index.htm"),
            "first Web Lumivista []\r\n\r\ncol1 []\r\n\r\n"
            "loop ./html/a.htm ./mini/a.jpg %%COMMENT%%\r\n\r\n"
            "loop ./html/b.htm ./mini/b.jpg %%COMMENT%%\r\n\r\n"
            "col2\r\n\r\n"
            "ENDE<p><a href=\"https://www.example.org/web-lumivista/\">Powered by Vendrix Web Lumivista.</a>\r\n\r\n");
  EXPECT_TRUE(dir_.Exists("web/pics/b.jpg"));
  EXPECT_TRUE(dir_.Exists("web/mini/a.jpg"));
}

TEST_F(BuildCommandTest, NamedDesignWithoutBacklink) {
  SaveAlbum({"a.bmp"});
  const CliResult r = Cli({"build", "album.lva", "index.htm", "--template-dir", "designs", "--template", "Zwei",
                           "--no-backlink", "--quiet"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(dir_.Read("index.htm").find("end 3 90\r\n"), std::string::npos);
}

TEST_F(BuildCommandTest, FailedPicturesGiveStatusOneAndOneLineEach) {
  SaveAlbum({"a.bmp", "fehlt.jpg"});
  const CliResult r = Cli({"build", "album.lva", "index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Fehler: Folgende Datei konnte nicht ge\xC3\xB6" "ffnet werden: " + dir_.Path("fehlt.jpg") + "\n");
  EXPECT_TRUE(dir_.Exists("index.htm"));
}

TEST_F(BuildCommandTest, RunsThatEndEarlyGiveStatusTwo) {
  SaveAlbum({"a.bmp"});
  CliResult r = Cli({"build", "album.lva", "index.htm", "--template-dir", "designs", "--template", "Drei"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Web Lumivista 2.0: Datei " + dir_.Path("designs") +
                       "/Drei/mainfirst.htm kann nicht ge\xC3\xB6" "ffnet werden.\n");
  EXPECT_FALSE(dir_.Exists("index.htm"));

  dir_.Write("datei", "x");
  r = Cli({"build", "album.lva", "datei/index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler: Konnte das Verzeichnis nicht erstellen!\n");

  std::filesystem::create_directories(dir_.Root() / "ordner.htm");
  r = Cli({"build", "album.lva", "ordner.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler: HTML Datei erstellen: Konnte die Datei ordner.htm nicht erstellen!\n");

  dir_.Write("kaputt.lva", "Vendrix");
  r = Cli({"build", "kaputt.lva", "index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(r.err.empty());
  EXPECT_FALSE(dir_.Exists("index.htm"));

  EXPECT_EQ(Cli({"build", "album.lva"}).status, 2);
}

TEST_F(BuildCommandTest, TemplatesListsTheSetsInTheProgramsOrder) {
  const CliResult r = Cli({"templates", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "eins\nZwei\n");
  const CliResult shipped = Cli({"templates"});
  EXPECT_EQ(shipped.out, "Klassisch\nModern\nSchlicht\n");
}
