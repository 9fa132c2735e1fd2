// lumivista-cli build and templates, run as a script would run them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "album/AlbumFile.h"
#include "imaging/Rastola.h"
#include "platform/Paths.h"
#include "support/BmpFiles.h"
#include "support/CliRunner.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace {

class BuildCommandTest : public ::testing::Test {
 protected:
  BuildCommandTest() {
    const generator::TemplateFragments f = SmallFragments();
    for (const char* set : {"eins", "Zwei"})
      for (size_t i = 0; i < generator::kFragmentCount; ++i)
        dir_.Write(
            std::string("designs/") + set + "/" + generator::FragmentFileName(static_cast<generator::Fragment>(i)),
            f[static_cast<generator::Fragment>(i)]);
    dir_.Write("designs/eins/mainend.htm", "ENDE%%POWERED%%");
    dir_.Write("designs/liesmich.txt", "keine Vorlage");
    settings_.PicturesPerRow = 2;
  }

  void SaveAlbum(const std::vector<std::string>& pictureNames) {
    album::AlbumPictures pictures;
    for (const std::string& name : pictureNames) {
      album::AlbumPicture p;
      p.FileName = dir_.Path(name);
      if (name.find(".bmp") != std::string::npos) WriteBmp((dir_.Root() / name).string(), 32, 24, 24);
      pictures.push_back(p);
    }
    RecordingMessages messages;
    ASSERT_TRUE(album::SaveFile(dir_.Path("album.lva"), pictures, settings_, messages));
  }

  CliResult Cli(std::initializer_list<std::string> args) { return RunCli(dir_.Root(), args); }

  // A detail page counts as red when it shows a red copy; JPEGs are read back.
  static bool IsRed(const std::string& path) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".htm") {
      std::ifstream in(platform::ToFileSystem(path), std::ios::binary);
      const std::string page(std::istreambuf_iterator<char>(in), {});
      const size_t pics = page.find("../pics/");
      return pics != std::string::npos && IsRed(path.substr(0, path.rfind("/html/")) + "/pics/" +
                                                page.substr(pics + 8, page.find('|', pics) - pics - 8));
    }
    imaging::Image image;
    imaging::OpenDib(&image, path.c_str(), 0, nullptr);
    if (!image->Pixels) return false;
    const uint32_t pixel = imaging::getpixel(*image, 0, 0);  // red in the low byte
    return (pixel & 0xFF) > 150 && ((pixel >> 16) & 0xFF) < 100;
  }

  TempFolder dir_;
  album::AlbumSettings settings_;
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
  // The reason on a line of its own after the message.
  EXPECT_EQ(r.err,
            "Fehler: Folgende Datei konnte nicht ge\xC3\xB6"
            "ffnet werden: " +
                dir_.Path("fehlt.jpg") +
                "\nDie Datei kann nicht ge\xC3\xB6"
                "ffnet werden\n");
  EXPECT_TRUE(dir_.Exists("index.htm"));
}

TEST_F(BuildCommandTest, RunsThatEndEarlyGiveStatusTwo) {
  SaveAlbum({"a.bmp"});
  CliResult r = Cli({"build", "album.lva", "index.htm", "--template-dir", "designs", "--template", "Drei"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Web Lumivista 2.0: Datei " + dir_.Path("designs") +
                       "/Drei/mainfirst.htm kann nicht ge\xC3\xB6"
                       "ffnet werden.\n");
  EXPECT_FALSE(dir_.Exists("index.htm"));

  dir_.Write("datei", "x");
  r = Cli({"build", "album.lva", "datei/index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler: Konnte das Verzeichnis nicht erstellen!\n");

  std::filesystem::create_directories(dir_.Root() / "ordner.htm");
  r = Cli({"build", "album.lva", "ordner.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler: HTML Datei erstellen: Konnte die Datei ordner.htm nicht erstellen!\n");

  // An overview name Windows-1252 cannot hold would be written as "?.htm".
  r = Cli({"build", "album.lva", "Urlaub \xF0\x9F\x98\x80.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Urlaub \xF0\x9F\x98\x80.htm"), std::string::npos) << r.err;
  EXPECT_FALSE(dir_.Exists("Urlaub ?.htm"));

  dir_.Write("kaputt.lva", "Vendrix");
  r = Cli({"build", "kaputt.lva", "index.htm", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(r.err.empty());
  EXPECT_FALSE(dir_.Exists("index.htm"));

  EXPECT_EQ(Cli({"build", "album.lva"}).status, 2);
}

TEST_F(BuildCommandTest, JobsChangeNeitherTheAlbumNorTheMessagesNorTheStatus) {
  SaveAlbum({"a.bmp", "fehlt.jpg", "a.bmp", "b.bmp", "a.bmp"});
  const CliResult one = Cli({"build", "album.lva", "eins/index.htm", "--template-dir", "designs", "--jobs", "1"});
  const CliResult four = Cli({"build", "album.lva", "vier/index.htm", "--template-dir", "designs", "--jobs", "4"});
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.status, one.status);
  EXPECT_EQ(four.err, one.err);
  for (const char* file : {"index.htm", "html/a0.htm", "html/fehlt.htm", "pics/a1.jpg", "mini/a1.jpg", "pics/b.jpg"})
    EXPECT_EQ(dir_.Read(std::string("vier/") + file), dir_.Read(std::string("eins/") + file)) << file;
  EXPECT_EQ(Cli({"build", "album.lva", "x/index.htm", "--template-dir", "designs", "--jobs", "0"}).status, 2);
}

// Two albums of the same picture names built at once into one folder: each
// overview links only pages, copies and thumbnails of its own pictures.
TEST_F(BuildCommandTest, ConcurrentRunsIntoOneFolderMakeTwoConsistentAlbums) {
  constexpr int kPictures = 40;
  std::vector<std::string> red, grey;
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "Bild" + std::to_string(i) + ".bmp";
    red.push_back("rot/" + name);
    grey.push_back("grau/" + name);
    std::filesystem::create_directories(dir_.Root() / "rot");
    std::filesystem::create_directories(dir_.Root() / "grau");
    WriteBmp((dir_.Root() / "rot" / name).string(), 32, 24, 24);  // red 200, blue and green below 32
    WriteBmp((dir_.Root() / "grau" / name).string(), 32, 24, 8);  // grey
  }
  const auto save = [&](const std::string& album, const std::vector<std::string>& names) {
    album::AlbumPictures pictures;
    for (const std::string& name : names) {
      album::AlbumPicture picture;
      picture.FileName = dir_.Path(name);
      pictures.push_back(picture);
    }
    RecordingMessages messages;
    ASSERT_TRUE(album::SaveFile(dir_.Path(album), pictures, settings_, messages));
  };
  save("rot.lva", red);
  save("grau.lva", grey);
  const std::string cli = "'" LUMIVISTA_CLI "' build --quiet --template-dir designs ";
  const std::string both =
      "cd '" + dir_.Root().string() + "' && (" + cli + "rot.lva web/rot.htm & " + cli + "grau.lva web/grau.htm & wait)";
  ASSERT_EQ(std::system(both.c_str()), 0);

  std::set<std::string> claimed;
  for (const bool isRed : {true, false}) {
    const std::string overview = dir_.Read(isRed ? "web/rot.htm" : "web/grau.htm");
    int entries = 0;
    for (size_t at = overview.find("loop ./html/"); at != std::string::npos;
         at = overview.find("loop ./html/", at + 1), ++entries) {
      const size_t end = overview.find("\r\n", at);
      std::istringstream line(overview.substr(at + 5, end - at - 5));
      std::string page, thumbnail;
      line >> page >> thumbnail;
      const std::string detail = dir_.Read("web/" + page.substr(2));
      const size_t pics = detail.find("../pics/");
      ASSERT_NE(pics, std::string::npos) << page;
      const std::string copy = "pics/" + detail.substr(pics + 8, detail.find('|', pics) - pics - 8);
      for (const std::string& file : {page.substr(2), thumbnail.substr(2), copy}) {
        EXPECT_TRUE(dir_.Exists("web/" + file)) << file;
        EXPECT_TRUE(claimed.insert(file).second) << file << " belongs to both albums";
        EXPECT_EQ(IsRed(dir_.Path("web/" + file)), isRed) << file;
      }
    }
    EXPECT_EQ(entries, kPictures);
  }
}

TEST_F(BuildCommandTest, TemplatesListsTheSetsInTheProgramsOrder) {
  const CliResult r = Cli({"templates", "--template-dir", "designs"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "eins\nZwei\n");
  const CliResult shipped = Cli({"templates"});
  EXPECT_EQ(shipped.out, "Klassisch\nModern\nSchlicht\n");
}
