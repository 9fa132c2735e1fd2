// Builds and updates killed with SIGKILL at many points: the next run
// cleans up after them, and an update repairs the folder to what a fresh
// build writes. Two runs of one album at once: the second waits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "album/AlbumFile.h"
#include "generator/BuildRecord.h"
#include "generator/RecordLock.h"
#include "support/BmpFiles.h"
#include "support/CliRunner.h"
#include "support/RecordingMessages.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPictures = 12;

class UpdateKillTest : public ::testing::Test {
 protected:
  UpdateKillTest() {
    WriteSmallFragmentSet(dir_, "designs/eins/");
    fs::create_directories(dir_.Root() / "src");
    WritePictures(1600);
    album::AlbumPictures pictures;
    for (int i = 0; i < kPictures; ++i) {
      album::AlbumPicture picture;
      picture.FileName = dir_.Path("src/p" + std::to_string(i) + ".bmp");
      pictures.push_back(picture);
    }
    RecordingMessages messages;
    EXPECT_TRUE(album::SaveFile(dir_.Path("album.lva"), pictures, album::AlbumSettings{}, messages));
  }

  void WritePictures(int32_t width) {
    for (int i = 0; i < kPictures; ++i) WriteBmp(dir_.Path("src/p" + std::to_string(i) + ".bmp"), width + i, 1200, 24);
  }

  CliResult Build(const std::string& overview, bool update) {
    if (update)
      return RunCli(dir_.Root(), {"build", "album.lva", overview, "--template-dir", "designs", "--quiet", "--update"});
    return RunCli(dir_.Root(), {"build", "album.lva", overview, "--template-dir", "designs", "--quiet"});
  }

  // Starts a build as a child process and kills it after `delay`.
  void KillBuildAfter(const std::string& overview, bool update, std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::chdir(dir_.Root().c_str()) != 0) ::_exit(127);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execl(LUMIVISTA_CLI, LUMIVISTA_CLI, "build", "album.lva", overview.c_str(), "--template-dir", "designs",
              "--quiet", "--jobs", "2", update ? "--update" : "--quiet", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
  }

  // The album's files (overview, html, pics, mini) with their bytes.
  std::map<std::string, std::string> Album(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.Root() / folder)) {
      const std::string name = fs::relative(entry.path(), dir_.Root() / folder).string();
      if (entry.is_regular_file() && name[0] != '.') files[name] = ReadFileBytes(entry.path());
    }
    return files;
  }

  TempFolder dir_;
};

TEST_F(UpdateKillTest, AnUpdateKilledAnywhereIsRepairedByTheNextUpdate) {
  ASSERT_EQ(Build("web/index.htm", false).status, 0);
  // Two versions of every picture: each update replaces every copy.
  std::map<int32_t, std::map<std::string, std::string>> fresh;
  for (const int32_t width : {1700, 1701}) {
    WritePictures(width);
    ASSERT_EQ(Build("frisch" + std::to_string(width) + "/index.htm", false).status, 0);
    fresh[width] = Album("frisch" + std::to_string(width));
  }
  dir_.Write("web/pics/fremd.jpg", "fremd");
  for (const int ms : {5, 40, 90, 150, 250, 400}) {
    const int32_t width = ms % 2 ? 1701 : 1700;
    WritePictures(width);
    KillBuildAfter("web/index.htm", true, std::chrono::milliseconds(ms));
    const CliResult repaired = Build("web/index.htm", true);
    ASSERT_EQ(repaired.status, 0) << ms << " ms: " << repaired.err;
    auto album = Album("web");
    EXPECT_EQ(album["pics/fremd.jpg"], "fremd");
    album.erase("pics/fremd.jpg");
    EXPECT_TRUE(album == fresh[width]) << "after a kill at " << ms << " ms";
  }
}

// The files a trusted record of "index.htm" in "web" names, with empty bytes.
std::map<std::string, std::string> NamedFiles(const TempFolder& dir, bool onlyComplete) {
  std::map<std::string, std::string> files;
  const generator::RecordReading record = generator::ReadRecord(dir.Path("web") + "/", "index.htm");
  if (record.Trust != generator::RecordTrust::Trusted || (onlyComplete && record.Record.Running)) return files;
  for (const generator::RecordedPicture& picture : record.Record.Pictures)
    for (const generator::OutputKindInfo& info : generator::kOutputKinds)
      if (const std::string& name = picture.Outputs[static_cast<size_t>(info.Kind)].Name; !name.empty())
        files[std::string(info.Folder) + "/" + name] = "";
  return files;
}

TEST_F(UpdateKillTest, AKilledBuildLeavesNothingBehindAfterTheNextRun) {
  int interrupted = 0;
  for (const int ms : {10, 40, 80, 120, 200}) {
    dir_.Write("web/html/eigene.htm", "");  // empty, but not ours
    KillBuildAfter("web/index.htm", false, std::chrono::milliseconds(ms));
    // A run that got to its end made an album; one that did not, litter.
    auto expected = NamedFiles(dir_, true);
    if (expected.empty()) ++interrupted;
    ASSERT_EQ(Build("web/index.htm", false).status, 0);
    expected.merge(NamedFiles(dir_, false));
    expected["index.htm"] = "";
    expected["html/eigene.htm"] = "";
    auto album = Album("web");
    for (auto& [name, bytes] : album) bytes.clear();
    EXPECT_EQ(album, expected) << "after a kill at " << ms << " ms";
    fs::remove_all(dir_.Root() / "web");
  }
  EXPECT_GT(interrupted, 0);
}

TEST_F(UpdateKillTest, ASecondRunOfTheSameAlbumWaitsForTheFirst) {
  ASSERT_EQ(Build("web/index.htm", false).status, 0);
  const std::string record = dir_.Read("web/.index.htm.lvbuild");
  auto lock = std::make_unique<generator::RecordLock>(generator::LockPath(dir_.Path("web") + "/", "index.htm"),
                                                      generator::RecordLock::Mode::Wait);
  ASSERT_TRUE(lock->Held());
  WritePictures(1650);
  CliResult waiting;
  std::atomic<bool> done{false};
  std::thread second([&] {
    waiting = Build("web/index.htm", true);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_EQ(dir_.Read("web/.index.htm.lvbuild"), record);  // nothing written while it waits
  EXPECT_FALSE(done.load());
  lock.reset();
  second.join();
  EXPECT_EQ(waiting.status, 0) << waiting.err;
  EXPECT_NE(waiting.out.find("12 Bilder neu"), std::string::npos) << waiting.out;
}

}  // namespace
