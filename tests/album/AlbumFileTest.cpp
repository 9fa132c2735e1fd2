#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "album/AlbumFile.h"
#include "album/AlbumFileFormat.h"
#include "album/AlbumList.h"
#include "platform/SafeFile.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class AlbumFileTest : public TempFolderTest {
 protected:
  // An album the user has on screen before a failed open or save.
  static album::AlbumPictures CurrentPictures() {
    album::AlbumPictures pictures;
    album::AddSelectedNames(pictures, "/vorher", {"bleibt.jpg"}, nullptr);
    pictures[0].Comment = "alt";
    return pictures;
  }

  RecordingMessages messages_;
};

}  // namespace

TEST_F(AlbumFileTest, SavedAlbumOpensWithPicturesOfItsNewFolder) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, folder_.string(), {"a.jpg"}, nullptr);
  pictures[0].Comment = "Hi";
  ASSERT_TRUE(album::SaveFile(PathOf("album.lva"), pictures, album::AlbumSettings(), messages_));
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_EQ(fs::file_size(PathOf("album.lva")), 173u);

  fs::create_directories(folder_ / "kopie");
  fs::copy_file(PathOf("album.lva"), folder_ / "kopie" / "album.lva");
  album::AlbumPictures loaded = CurrentPictures();
  album::AlbumSettings settings;
  ASSERT_TRUE(album::OpenFile(PathOf("kopie/album.lva"), loaded, settings, messages_));
  ASSERT_EQ(album::PictureCount(loaded), 1);
  EXPECT_EQ(loaded[0].FileName, PathOf("kopie/a.jpg"));
  EXPECT_EQ(loaded[0].Comment, "Hi");
}

// The address space this process uses now, from /proc/self/statm.
rlim_t AddressSpaceInUse() {
  size_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
}

TEST_F(AlbumFileTest, OpeningStopsAfterTheLastFieldOfAHugeFile) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, folder_.string(), {"a.jpg"}, nullptr);
  ASSERT_TRUE(album::SaveFile(PathOf("gross.lva"), pictures, album::AlbumSettings(), messages_));
  fs::resize_file(PathOf("gross.lva"), uintmax_t{5} << 29);  // 2.5 GB, the rest zeros
  // In a child whose address space cannot hold the file, so reading it whole fails.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlim_t limit = AddressSpaceInUse() + (rlim_t{256} << 20);
    const rlimit bound{limit, limit};
    ::setrlimit(RLIMIT_AS, &bound);
    album::AlbumPictures loaded;
    album::AlbumSettings settings;
    const bool opened =
        album::OpenFile(PathOf("gross.lva"), loaded, settings, messages_) && album::PictureCount(loaded) == 1;
    ::_exit(opened ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(AlbumFileTest, SaveReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  temp_.Write("album.lva", std::string(500, 'x'));
  ASSERT_TRUE(album::SaveFile(PathOf("album.lva"), {}, album::AlbumSettings(), messages_));
  EXPECT_EQ(temp_.Read("album.lva"), *album::EncodeAlbumFile({}, album::AlbumSettings(), PathOf("album.lva")));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(AlbumFileTest, SaveThatCannotCreateTheFileReportsIt) {
  const std::string path = PathOf("fehlt/album.lva");
  EXPECT_FALSE(album::SaveFile(path, CurrentPictures(), album::AlbumSettings(), messages_));
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Text, "Web Lumivista speichern: Konnte die Datei album.lva nicht erstellen!");
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_EQ(messages_.Calls[0].Icon, platform::MessageIcon::Error);
  EXPECT_FALSE(fs::exists(folder_ / "fehlt"));
}

TEST_F(AlbumFileTest, FailedSaveLeavesWhatWasThere) {
  // A folder in the target's place cannot be replaced by the finished file.
  fs::create_directories(folder_ / "album.lva" / "inhalt");
  EXPECT_FALSE(album::SaveFile(PathOf("album.lva"), CurrentPictures(), album::AlbumSettings(), messages_));
  EXPECT_EQ(messages_.Calls.size(), 1u);
  EXPECT_TRUE(fs::exists(folder_ / "album.lva" / "inhalt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(AlbumFileTest, OpenMissingFileReportsItAndChangesNothing) {
  album::AlbumPictures pictures = CurrentPictures();
  album::AlbumSettings settings;
  settings.Caption = "meins";
  EXPECT_FALSE(album::OpenFile(PathOf("weg.lva"), pictures, settings, messages_));
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Text,
            "Web Lumivista \xF6"
            "ffnen: Konnte die Datei weg.lva nicht \xF6"
            "ffnen!");
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_EQ(pictures, CurrentPictures());
  EXPECT_EQ(settings.Caption, "meins");
}

TEST_F(AlbumFileTest, DamagedFileIsNotValidAndChangesNothing) {
  const std::string good = *album::EncodeAlbumFile(CurrentPictures(), album::AlbumSettings(), PathOf("a.lva"));
  for (const size_t length : {size_t{0}, size_t{10}, size_t{25}, size_t{40}, good.size() - 5, good.size() - 2}) {
    temp_.Write("kaputt.lva", good.substr(0, length));
    RecordingMessages messages;
    album::AlbumPictures pictures;
    album::AddSelectedNames(pictures, "/x", {"y.jpg"}, nullptr);
    const album::AlbumPictures before = pictures;
    album::AlbumSettings settings;
    settings.PicturesPerRow = 9;
    const album::AlbumSettings settingsBefore = settings;
    EXPECT_FALSE(album::OpenFile(PathOf("kaputt.lva"), pictures, settings, messages)) << length;
    ASSERT_EQ(messages.Calls.size(), 1u);
    EXPECT_EQ(messages.Calls[0].Text, "Die Datei ist keine g\xFCltige \"Web Lumivista 1\"-Datei!");
    EXPECT_EQ(messages.Calls[0].Caption, "Fehler");
    EXPECT_EQ(pictures, before);
    EXPECT_EQ(settings, settingsBefore);
  }
}

TEST_F(AlbumFileTest, OpenReplacesListAndStoredSettings) {
  album::AlbumPictures saved;
  album::AddSelectedNames(saved, "/bilder", {"1.jpg", "2.jpg"}, nullptr);
  album::AlbumSettings stored;
  stored.FreeText = "neu";
  ASSERT_TRUE(album::SaveFile(PathOf("a.lva"), saved, stored, messages_));
  album::AlbumPictures pictures = CurrentPictures();
  album::AlbumSettings settings;
  settings.Backlink = false;
  ASSERT_TRUE(album::OpenFile(PathOf("a.lva"), pictures, settings, messages_));
  EXPECT_EQ(album::LineTexts(pictures), (std::vector<std::string>{"1.jpg", "2.jpg"}));
  EXPECT_EQ(settings.FreeText, "neu");
  EXPECT_FALSE(settings.Backlink);
  EXPECT_TRUE(messages_.Calls.empty());
}

TEST_F(AlbumFileTest, SaveKeepsPermissionsAndWritesThroughSymbolicLinks) {
  temp_.Write("privat.lva", "alt");
  fs::permissions(PathOf("privat.lva"), fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(album::SaveFile(PathOf("privat.lva"), CurrentPictures(), album::AlbumSettings(), messages_));
  EXPECT_EQ(fs::status(PathOf("privat.lva")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_NE(temp_.Read("privat.lva"), "alt");

  fs::create_directories(folder_ / "ziel");
  temp_.Write("ziel/echt.lva", "alt");
  fs::create_symlink("ziel/echt.lva", folder_ / "link.lva");
  ASSERT_TRUE(album::SaveFile(PathOf("link.lva"), CurrentPictures(), album::AlbumSettings(), messages_));
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.lva"));
  EXPECT_EQ(temp_.Read("ziel/echt.lva"), temp_.Read("privat.lva"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "ziel"), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

// 255 bytes is the file system's limit; no temporary suffix may eat into it.
TEST_F(AlbumFileTest, LongestNameRoundTrips) {
  const std::string path = PathOf(std::string(246, 'a') + ".lva");
  ASSERT_TRUE(album::SaveFile(path, CurrentPictures(), album::AlbumSettings(), messages_));
  ASSERT_TRUE(album::SaveFile(path, CurrentPictures(), album::AlbumSettings(), messages_));
  album::AlbumPictures pictures;
  album::AlbumSettings settings;
  ASSERT_TRUE(album::OpenFile(path, pictures, settings, messages_));
  EXPECT_EQ(pictures, CurrentPictures());
  EXPECT_TRUE(messages_.Calls.empty());
}

// A killed save leaves at most a short temporary file; the next save in the
// folder removes it, but not the file of a save still at work (it holds a lock).
TEST_F(AlbumFileTest, SaveRemovesTheTemporaryFilesOfKilledSaves) {
  temp_.Write(".lv0123abcd.tmp", "Rest");
  temp_.Write(".lv89abcdef.tmp", "in Arbeit");
  temp_.Write(".lvmeins.tmp", "fremd");
  const int busy = ::open(PathOf(".lv89abcdef.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  ASSERT_TRUE(album::SaveFile(PathOf("album.lva"), CurrentPictures(), album::AlbumSettings(), messages_));
  ::close(busy);
  EXPECT_FALSE(fs::exists(PathOf(".lv0123abcd.tmp")));
  EXPECT_TRUE(fs::exists(PathOf(".lv89abcdef.tmp")));
  EXPECT_TRUE(fs::exists(PathOf(".lvmeins.tmp")));
}

TEST(AlbumWindowCaption, NamesTheFileOrAnUnsavedAlbum) {
  EXPECT_EQ(album::AlbumWindowCaption(std::nullopt), "Vendrix Web Lumivista 2.0 - [Unbenannt.lva]");
  EXPECT_EQ(album::AlbumWindowCaption("/home/anna/Alben/Urlaub.lva"), "Vendrix Web Lumivista 2.0 - [Urlaub.lva]");
}
