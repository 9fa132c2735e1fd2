// Albums updated in place: names that stay, pictures not decoded again,
// the same bytes as a fresh build, files that are not ours left alone, and
// records that are not trusted.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "generator/GenerateAlbum.h"
#include "platform/Paths.h"
#include "platform/Sha256.h"
#include "support/BmpFiles.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using generator::OutputKind;

class CountingProgress : public platform::ProgressReceiver {
 public:
  void Progress(int) override { ++Calls; }
  int Calls = 0;
};

class UpdateTest : public ::testing::Test {
 protected:
  UpdateTest() {
    WriteSmallFragmentSet(dir_);
    settings_.PicturesPerRow = 2;
    settings_.Backlink = false;
    fs::create_directories(dir_.Root() / "src");
  }

  // A picture of `width` x 20 pixels in "src", `bits` deep.
  std::string Source(const std::string& name, int32_t width = 30, int bits = 24) {
    const std::string path = dir_.Path("src/" + name);
    WriteBmp(platform::ToFileSystem(path), width, 20, bits);
    return path;
  }
  album::AlbumPicture Entry(const std::string& path, const std::string& comment = "") {
    album::AlbumPicture picture;
    picture.FileName = path;
    if (!comment.empty()) picture.Comment = comment;
    return picture;
  }

  generator::GenerationResult Build(const album::AlbumPictures& pictures, const std::string& overview,
                                    generator::UpdateChoice answer, int32_t jobs = 2) {
    asked_.reset();
    messages_.Calls.clear();
    progress_.Calls = 0;
    const generator::GenerationRequest request{settings_, dir_.Path("set") + "/",
                                               [&] { return std::optional(dir_.Path(overview)); }, jobs,
                                               [&](generator::RecordTrust trust) {
                                                 asked_ = trust;
                                                 return answer;
                                               }};
    return generator::GenerateAlbum(pictures, request, {messages_, &progress_, nullptr});
  }

  generator::BuildRecord Record(const std::string& folder, const std::string& overview = "index.htm") {
    const generator::RecordReading reading = generator::ReadRecord(dir_.Path(folder) + "/", overview);
    EXPECT_EQ(reading.Trust, generator::RecordTrust::Trusted);
    return reading.Record;
  }

  // Every file below `folder`, by relative path, with its bytes.
  std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.Root() / folder))
      if (entry.is_regular_file())
        files[fs::relative(entry.path(), dir_.Root() / folder).string()] =
            std::string(std::istreambuf_iterator<char>(std::ifstream(entry.path(), std::ios::binary).rdbuf()), {});
    return files;
  }

  // Builds an album into "web", changes pictures, texts and, with
  // `switchToExtraSizes`, the template set to one showing the extra sizes,
  // updates "web" and builds the same album fresh into "frisch": both must
  // hold the same files and bytes, up to the names. Pictures: c 2100 wide
  // (screen picture and twice-size thumbnail), a 400 wide (twice-size
  // thumbnail only), b and d too small for either, the new b just large
  // enough. Gives the album as updated.
  album::AlbumPictures ExpectUpdateMatchesFreshBuild(bool switchToExtraSizes);

  int64_t ModifiedNs(const std::string& relative) {
    struct stat st {};
    ::stat(dir_.Path(relative).c_str(), &st);
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }

  TempFolder dir_;
  album::AlbumSettings settings_;
  RecordingMessages messages_;
  CountingProgress progress_;
  std::optional<generator::RecordTrust> asked_;
};

const std::string& NameOf(const generator::RecordedPicture& picture, OutputKind kind) {
  return picture.Outputs[static_cast<size_t>(kind)].Name;
}

TEST_F(UpdateTest, NamesStayAcrossReorderingAddingAndRemovingAndOnlyOurFilesGo) {
  const std::string a = Source("a.bmp"), b = Source("b.bmp"), c = Source("c.bmp");
  ASSERT_EQ(Build({Entry(a), Entry(b), Entry(c)}, "web/index.htm", generator::UpdateChoice::Update).Outcome,
            generator::RunOutcome::Completed);
  EXPECT_FALSE(asked_.has_value());  // no record yet, nothing to ask
  const generator::BuildRecord before = Record("web");
  ASSERT_EQ(before.Pictures.size(), 3u);
  dir_.Write("web/pics/fremd.jpg", "nicht von uns");
  dir_.Write("web/mini/d.jpg", "auch nicht");  // takes the new picture's first choice
  dir_.Write("web/notizen.txt", "privat");

  const std::string d = Source("d.bmp", 50);
  // c's copy is gone: c makes it again under its name, which a new picture
  // of the same base name must not take although it is free on disk.
  fs::remove(dir_.Root() / "web/pics/c.jpg");
  fs::create_directories(dir_.Root() / "src/neu");
  const std::string otherC = dir_.Path("src/neu/c.bmp");
  WriteBmp(otherC, 33, 20, 8);
  const generator::GenerationResult result =
      Build({Entry(otherC), Entry(c), Entry(d), Entry(a, "neu")}, "web/index.htm", generator::UpdateChoice::Update);
  ASSERT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(asked_, generator::RecordTrust::Trusted);
  ASSERT_TRUE(result.Updated);
  EXPECT_EQ(result.Updated->PicturesMade, 3);
  EXPECT_EQ(result.Updated->Removed, 1);
  EXPECT_EQ(result.Updated->Unchanged, 1);
  EXPECT_EQ(generator::UpdateClosingLine(*result.Updated),
            "Aktualisiert: " + std::to_string(result.Updated->PagesWritten) +
                " Seiten neu, 3 Bilder neu, 1 entfernt, 1 unver\xE4ndert");

  const generator::BuildRecord after = Record("web");
  ASSERT_EQ(after.Pictures.size(), 4u);
  EXPECT_EQ(NameOf(after.Pictures[0], OutputKind::Copy), "c0.jpg");
  EXPECT_EQ(NameOf(after.Pictures[0], OutputKind::Page), "c0.htm");
  for (OutputKind kind : {OutputKind::Page, OutputKind::Copy, OutputKind::Thumbnail}) {
    EXPECT_EQ(NameOf(after.Pictures[1], kind), NameOf(before.Pictures[2], kind));  // c
    EXPECT_EQ(NameOf(after.Pictures[3], kind), NameOf(before.Pictures[0], kind));  // a
  }
  EXPECT_EQ(NameOf(after.Pictures[2], OutputKind::Thumbnail), "d0.jpg");
  EXPECT_FALSE(dir_.Exists("web/html/b.htm") || dir_.Exists("web/pics/b.jpg") || dir_.Exists("web/mini/b.jpg"));
  EXPECT_EQ(dir_.Read("web/pics/fremd.jpg"), "nicht von uns");
  EXPECT_EQ(dir_.Read("web/mini/d.jpg"), "auch nicht");
  EXPECT_EQ(dir_.Read("web/notizen.txt"), "privat");
  const std::string overview = dir_.Read("web/index.htm");
  EXPECT_NE(overview.find("loop ./html/c.htm ./mini/c.jpg"), std::string::npos);
  EXPECT_NE(overview.find("loop ./html/a.htm ./mini/a.jpg"), std::string::npos);
}

TEST_F(UpdateTest, PicturesWhoseSourceAndFilesAreAsRecordedAreNotDecoded) {
  const std::string a = Source("a.bmp"), b = Source("b.bmp");
  album::AlbumPictures album{Entry(a), Entry(b)};
  Build(album, "web/index.htm", generator::UpdateChoice::Update);
  const std::string copyOfA = dir_.Read("web/pics/a.jpg");
  const int64_t copyTime = ModifiedNs("web/pics/a.jpg");

  // Same size, same time, same inode, other bytes: only a decode could notice.
  struct stat st {};
  ::stat(a.c_str(), &st);
  std::string garbage(static_cast<size_t>(st.st_size), 'x');
  { std::ofstream(a, std::ios::binary | std::ios::in | std::ios::out).write(garbage.data(), st.st_size); }
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ::utimensat(AT_FDCWD, a.c_str(), times, 0);

  album[1].Comment = "Kommentar";
  generator::GenerationResult result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
  ASSERT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_EQ(progress_.Calls, 0);  // no file read or encoded
  EXPECT_EQ(result.Updated->PicturesMade, 0);
  EXPECT_EQ(result.Updated->PagesWritten, 1);  // b's page; this overview shows no comments
  EXPECT_EQ(dir_.Read("web/pics/a.jpg"), copyOfA);
  EXPECT_EQ(ModifiedNs("web/pics/a.jpg"), copyTime);

  // A changed source is made again under its old name; so is a copy that
  // no longer holds its bytes, found by its size and hash.
  Source("b.bmp", 44);
  dir_.Write("web/pics/a.jpg", std::string(copyOfA.size(), 'y'));
  Source("a.bmp");
  ::utimensat(AT_FDCWD, a.c_str(), times, 0);
  result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
  EXPECT_EQ(result.Updated->PicturesMade, 2);
  EXPECT_EQ(dir_.Read("web/pics/a.jpg"), copyOfA);
  EXPECT_TRUE(dir_.Exists("web/pics/b.jpg"));
  EXPECT_FALSE(dir_.Exists("web/pics/b0.jpg"));

  // A changed thumbnail box makes every thumbnail again, no copy.
  const int64_t copyOfB = ModifiedNs("web/pics/b.jpg");
  settings_.ThumbWidth = 20;
  result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
  EXPECT_EQ(result.Updated->PicturesMade, 2);
  EXPECT_EQ(ModifiedNs("web/pics/b.jpg"), copyOfB);
  EXPECT_EQ(Record("web").Pictures[1].Outputs[static_cast<size_t>(OutputKind::Thumbnail)].Depends,
            "jpeg-q90-420-1 box 20x90");
}

// Replaces, in `text`, every name of `from` by the same picture's name of `to`.
std::string MapNames(std::string text, const generator::BuildRecord& from, const generator::BuildRecord& to) {
  for (size_t i = 0; i < from.Pictures.size(); ++i)
    for (const generator::OutputKindInfo& info : generator::kOutputKinds) {
      const OutputKind kind = info.Kind;
      const std::string name = NameOf(from.Pictures[i], kind);
      if (name.empty()) continue;
      // Pages link their neighbours by bare name, pictures by folder and name.
      const std::string before = kind == OutputKind::Page ? "([/ ])" : std::string("(/") + info.Folder + "/)";
      const std::regex whole(before + std::regex_replace(name, std::regex(R"(\.)"), R"(\.)") + "(\r|\n| |,|\\||\\]|$)");
      text = std::regex_replace(text, whole, "$1@" + NameOf(to.Pictures[i], kind) + "$2");
    }
  return std::regex_replace(text, std::regex("@"), "");
}

album::AlbumPictures UpdateTest::ExpectUpdateMatchesFreshBuild(bool switchToExtraSizes) {
  const std::string a = Source("a.bmp", 400), b = Source("b.bmp", 40), c = Source("c.bmp", 50);
  Build({Entry(a), Entry(b, "eins"), Entry(c)}, "web/index.htm", generator::UpdateChoice::Update);
  // The new "b" takes b0: b's files are still there when names are chosen.
  fs::create_directories(dir_.Root() / "src/neu");
  const std::string newB = dir_.Path("src/neu/b.bmp");
  WriteBmp(newB, 180, 20, 8);
  Source("c.bmp", 2100);
  if (switchToExtraSizes) WriteFragmentSet(dir_, SmallFragmentsWithExtraSizes());
  const album::AlbumPictures final{Entry(c, "drei"), Entry(newB), Entry(a, "zwei"), Entry(Source("d.bmp", 30))};
  settings_.Caption = "Anders";
  EXPECT_EQ(Build(final, "web/index.htm", generator::UpdateChoice::Update).Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(Build(final, "frisch/index.htm", generator::UpdateChoice::Update).Outcome,
            generator::RunOutcome::Completed);

  const generator::BuildRecord updated = Record("web"), fresh = Record("frisch");
  EXPECT_EQ(updated.Pictures.size(), final.size());
  EXPECT_EQ(NameOf(updated.Pictures[1], OutputKind::Copy), "b0.jpg");
  EXPECT_EQ(NameOf(fresh.Pictures[1], OutputKind::Copy), "b.jpg");
  for (size_t i = 0; i < std::min(updated.Pictures.size(), fresh.Pictures.size()); ++i)
    for (const generator::OutputKindInfo& info : generator::kOutputKinds) {
      EXPECT_EQ(NameOf(updated.Pictures[i], info.Kind).empty(), NameOf(fresh.Pictures[i], info.Kind).empty());
      if (NameOf(fresh.Pictures[i], info.Kind).empty()) continue;
      const std::string mine = std::string("web/") + info.Folder + "/" + NameOf(updated.Pictures[i], info.Kind);
      const std::string theirs = std::string("frisch/") + info.Folder + "/" + NameOf(fresh.Pictures[i], info.Kind);
      const bool page = info.Kind == OutputKind::Page;
      EXPECT_EQ(dir_.Read(mine), page ? MapNames(dir_.Read(theirs), fresh, updated) : dir_.Read(theirs)) << mine;
    }
  EXPECT_EQ(dir_.Read("web/index.htm"), MapNames(dir_.Read("frisch/index.htm"), fresh, updated));
  EXPECT_EQ(Files("web").size(), Files("frisch").size());
  return final;
}

TEST_F(UpdateTest, AnUpdatedAlbumHoldsWhatAFreshBuildWritesUpToTheNames) { ExpectUpdateMatchesFreshBuild(false); }

// Switching to a design with the extra sizes makes them for unchanged
// pictures too; switching away removes them, our files only, without a decode.
TEST_F(UpdateTest, ExtraSizesComeAndGoWithTheDesignAndStayInTheRecord) {
  const album::AlbumPictures album = ExpectUpdateMatchesFreshBuild(true);
  const generator::BuildRecord updated = Record("web");
  EXPECT_EQ(NameOf(updated.Pictures[0], OutputKind::Screen), "c.jpg");
  EXPECT_EQ(NameOf(updated.Pictures[0], OutputKind::Thumbnail2x), "c.jpg");
  EXPECT_EQ(NameOf(updated.Pictures[2], OutputKind::Thumbnail2x), "a.jpg");
  EXPECT_EQ(NameOf(updated.Pictures[2], OutputKind::Screen), "");
  EXPECT_EQ(NameOf(updated.Pictures[1], OutputKind::Thumbnail2x), "b.jpg");  // free in its own folder
  EXPECT_EQ(updated.Pictures[0].Outputs[static_cast<size_t>(OutputKind::Screen)].Depends,
            "jpeg-q90-420-1 area screen 2048/1600 q80");
  EXPECT_EQ(dir_.Read("web/html/c.htm"),
            "../screen/c.jpg 2048x20 [../screen/c.jpg 2048w, ../pics/c.jpg 2100w]\r\n\r\n");

  // Pictures too small for an extra size are not made again for it.
  generator::GenerationResult result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
  EXPECT_EQ(result.Updated->PicturesMade, 0);

  dir_.Write("web/screen/fremd.jpg", "nicht von uns");
  WriteSmallFragmentSet(dir_);
  result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
  ASSERT_EQ(result.Outcome, generator::RunOutcome::Completed);
  EXPECT_EQ(result.Updated->PicturesMade, 0);
  EXPECT_EQ(progress_.Calls, 0);
  for (const auto& [path, bytes] : Files("web"))
    EXPECT_TRUE(path == "screen/fremd.jpg" || (path.rfind("screen/", 0) != 0 && path.rfind("mini2x/", 0) != 0)) << path;
  EXPECT_EQ(dir_.Read("web/screen/fremd.jpg"), "nicht von uns");
  for (const generator::RecordedPicture& picture : Record("web").Pictures)
    EXPECT_EQ(NameOf(picture, OutputKind::Screen) + NameOf(picture, OutputKind::Thumbnail2x), "");
}

TEST_F(UpdateTest, ARecordThatIsDamagedForeignOrNewerIsNotTrusted) {
  const album::AlbumPictures album{Entry(Source("a.bmp"))};
  Build(album, "web/index.htm", generator::UpdateChoice::Update);
  Build(album, "anderswo/index.htm", generator::UpdateChoice::Update);
  const std::string record = dir_.Read("web/.index.htm.lvbuild");
  std::string newer = record.substr(0, record.rfind("end\t"));
  const std::string version = "\t" + std::to_string(generator::kBuildRecordVersion) + "\n";
  newer.replace(newer.find(version), version.size(), "\t" + std::to_string(generator::kBuildRecordVersion + 1) + "\n");
  const std::map<generator::RecordTrust, std::string> cases{
      {generator::RecordTrust::Damaged, std::string(record).replace(record.find("a.jpg"), 1, "b")},
      {generator::RecordTrust::Foreign, dir_.Read("anderswo/.index.htm.lvbuild")},
      {generator::RecordTrust::Newer, newer + "end\t" + platform::Sha256Hex(newer) + "\n"},
  };
  for (const auto& [trust, text] : cases) {
    dir_.Write("web/.index.htm.lvbuild", text);
    const auto before = Files("web");
    const int64_t pageTime = ModifiedNs("web/html/a.htm");
    const generator::GenerationResult result = Build(album, "web/index.htm", generator::UpdateChoice::Update);
    EXPECT_EQ(asked_, trust);
    EXPECT_EQ(result.Outcome, generator::RunOutcome::RecordNotTrusted);
    ASSERT_EQ(messages_.Calls.size(), 1u);
    EXPECT_EQ(messages_.Calls[0].Text.rfind(generator::DistrustText(trust), 0), 0u) << messages_.Calls[0].Text;
    EXPECT_EQ(Files("web"), before);
    EXPECT_EQ(ModifiedNs("web/html/a.htm"), pageTime);
  }
  // A new album beside it is still possible, under new names.
  EXPECT_EQ(Build(album, "web/index.htm", generator::UpdateChoice::NewBeside).Outcome,
            generator::RunOutcome::Completed);
  EXPECT_TRUE(dir_.Exists("web/pics/a0.jpg"));
  EXPECT_EQ(Record("web").Pictures.size(), 1u);
}

TEST_F(UpdateTest, AnUpdateNeverWritesOrRemovesThroughALink) {
  const std::string a = Source("a.bmp"), b = Source("b.bmp");
  Build({Entry(a), Entry(b)}, "web/index.htm", generator::UpdateChoice::Update);
  dir_.Write("geheim.jpg", "geheim");
  const std::string page = dir_.Read("web/html/b.htm");  // the very bytes the record names
  dir_.Write("notiz.htm", page);
  fs::remove(dir_.Root() / "web/pics/a.jpg");
  fs::create_symlink(dir_.Root() / "geheim.jpg", dir_.Root() / "web/pics/a.jpg");
  fs::remove(dir_.Root() / "web/html/b.htm");
  fs::create_symlink(dir_.Root() / "notiz.htm", dir_.Root() / "web/html/b.htm");

  Source("a.bmp", 31);  // a changed, b removed
  const generator::GenerationResult result = Build({Entry(a)}, "web/index.htm", generator::UpdateChoice::Update);
  EXPECT_EQ(result.FailedPictures, 1);
  EXPECT_EQ(messages_.Lines(),
            (std::vector<std::string>{"[Fehler] JPEG Datei erstellen: Konnte die Datei a.jpg nicht erstellen!"}));
  EXPECT_EQ(dir_.Read("geheim.jpg"), "geheim");
  EXPECT_EQ(dir_.Read("notiz.htm"), page);
  EXPECT_TRUE(fs::is_symlink(dir_.Root() / "web/pics/a.jpg"));
  EXPECT_TRUE(fs::is_symlink(dir_.Root() / "web/html/b.htm"));
  EXPECT_FALSE(dir_.Exists("web/pics/b.jpg"));  // b's own copy went
}

// Stops a run when its second picture starts.
class StopAtSecond : public generator::PictureObserver {
 public:
  void PictureStarted(int32_t number, int32_t) override {
    if (number == 2) Stop = true;
  }
  std::atomic<bool> Stop{false};
};

TEST_F(UpdateTest, AStoppedRunGivesBackItsEmptyPagesAndTheNextRunRemovesTheRest) {
  album::AlbumPictures album;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) album.push_back(Entry(Source(name)));
  dir_.Write("web/html/leer.htm", "");  // empty, not ours
  StopAtSecond stopper;
  const generator::GenerationRequest request{
      settings_, dir_.Path("set") + "/", [&] { return std::optional(dir_.Path("web/index.htm")); }, 1, {}};
  ASSERT_EQ(generator::GenerateAlbum(album, request, {messages_, nullptr, &stopper, &stopper.Stop}).Outcome,
            generator::RunOutcome::Stopped);
  // The pictures in work were finished; no page of the others stays reserved.
  for (const auto& [name, bytes] : Files("web/html")) EXPECT_TRUE(name == "leer.htm" || !bytes.empty()) << name;
  EXPECT_TRUE(dir_.Exists("web/pics/a.jpg"));

  ASSERT_EQ(Build({Entry(Source("e.bmp"))}, "web/index.htm", generator::UpdateChoice::Update).Outcome,
            generator::RunOutcome::Completed);
  const std::map<std::string, std::string> left = Files("web");
  std::vector<std::string> names;
  for (const auto& [name, bytes] : left)
    if (name[0] != '.') names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"html/e.htm", "html/leer.htm", "index.htm", "mini/e.jpg", "pics/e.jpg"}));
}

}  // namespace
