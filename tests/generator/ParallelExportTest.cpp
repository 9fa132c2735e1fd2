// Parallel export: whatever the number of workers, the album, the reports and
// their order are those of a sequential run, made on the calling thread.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "generator/GenerateAlbum.h"
#include "generator/OutputNames.h"
#include "generator/PicturePool.h"
#include "imaging/Rastola.h"
#include "support/BmpFiles.h"
#include "support/SmallFragments.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Every call of a run as one line, in order, and whether any came from
// another thread than the one that started the run.
class RunRecorder : public platform::Messages, public platform::ProgressReceiver, public generator::PictureObserver {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon) override {
    Add("box [" + caption + "] " + text);
  }
  bool Confirm(const std::string& text, const std::string&) override {
    Add("confirm " + text);
    return true;
  }
  void ShowError(const std::string& text) override { Add("error " + text); }
  void Progress(int percent) override { Add("progress " + std::to_string(percent)); }
  void PictureStarted(int32_t number, int32_t count) override {
    Add("picture " + std::to_string(number) + "/" + std::to_string(count));
  }

  std::vector<std::string> Lines;
  bool OtherThread = false;

 private:
  void Add(std::string line) {
    if (std::this_thread::get_id() != caller_) OtherThread = true;
    Lines.push_back(std::move(line));
  }
  std::thread::id caller_ = std::this_thread::get_id();
};

// Every file below `root` with its bytes, folders marked as such.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    if (entry.is_directory()) {
      tree[name] = "<folder>";
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      tree[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  return tree;
}

class ParallelExportTest : public ::testing::Test {
 protected:
  ParallelExportTest() {
    WriteSmallFragmentSet(dir_);
    settings_.PicturesPerRow = 3;
    std::filesystem::create_directories(dir_.Root() / "src/x");
    std::filesystem::create_directories(dir_.Root() / "src/y");
  }

  void Add(const std::string& relative) {
    album::AlbumPicture picture;
    picture.FileName = dir_.Path("src/" + relative);
    pictures_.push_back(picture);
  }
  void AddBmp(const std::string& relative, int32_t width, int32_t height, int bits) {
    WriteBmp((dir_.Root() / "src" / relative).string(), width, height, bits);
    Add(relative);
  }
  // A real JPEG named `relative`, made from a BMP of that size.
  void AddJpeg(const std::string& relative, int32_t width, int32_t height) {
    const std::string bmp = (dir_.Root() / "src" / (relative + ".bmp")).string();
    WriteBmp(bmp, width, height, 24);
    imaging::Image image;
    imaging::OpenDib(&image, bmp.c_str(), 0, nullptr);
    ASSERT_EQ(imaging::SaveDib(*image, dir_.Path("src/" + relative).c_str(), imaging::kFormatJpeg, nullptr), 1);
    Add(relative);
  }

  // The album of the tests: repeated name bases, an unreadable picture in
  // the middle, 8-bit and 1-bit pictures, one beyond JPEG's size limit.
  void AddMixedAlbum() {
    AddBmp("Foto.bmp", 320, 240, 24);
    for (int i = 0; i < 4; ++i) pictures_.push_back(pictures_[0]);
    pictures_[2].Comment = "Dritte";
    AddJpeg("x/Bild.jpg", 200, 150);
    dir_.Write("src/kaputt.jpg", "kein Bild");
    Add("kaputt.jpg");
    AddJpeg("y/Bild.jpg", 150, 200);
    AddBmp("grau.bmp", 120, 90, 8);
    AddBmp("sw.bmp", 99, 77, 1);
    AddBmp("breit.bmp", 66000, 2, 24);
    AddBmp("Foto 2.bmp", 64, 48, 24);
  }

  struct Run {
    generator::GenerationResult Result;
    std::vector<std::string> Lines;
  };
  Run Generate(const std::string& overview, int32_t jobs) {
    RunRecorder recorder;
    const generator::GenerationRequest request{
        settings_, dir_.Path("set") + "/", [&] { return std::optional(dir_.Path(overview)); }, jobs, {}};
    Run run{generator::GenerateAlbum(pictures_, request, {recorder, &recorder, &recorder}), recorder.Lines};
    EXPECT_FALSE(recorder.OtherThread) << "jobs " << jobs;
    return run;
  }

  // Runs `prepare`, then builds into "1/" with one job and into "4/" with
  // four, and expects the same trees, reports and results.
  template <typename Prepare>
  void ExpectSameRuns(int32_t runs, Prepare prepare) {
    std::map<int32_t, std::vector<Run>> made;
    for (const int32_t jobs : {1, 4}) {
      prepare(std::to_string(jobs));
      for (int32_t i = 0; i < runs; ++i) made[jobs].push_back(Generate(std::to_string(jobs) + "/index.htm", jobs));
    }
    for (int32_t i = 0; i < runs; ++i) {
      const Run& one = made[1][static_cast<size_t>(i)];
      const Run& four = made[4][static_cast<size_t>(i)];
      EXPECT_EQ(one.Lines, four.Lines) << "run " << i;
      EXPECT_EQ(one.Result.Outcome, four.Result.Outcome);
      EXPECT_EQ(one.Result.FailedPictures, four.Result.FailedPictures);
      EXPECT_EQ(one.Result.PicturesMade, four.Result.PicturesMade);
    }
    const auto oneTree = Tree(dir_.Root() / "1");
    const auto fourTree = Tree(dir_.Root() / "4");
    EXPECT_EQ(oneTree.size(), fourTree.size());
    for (const auto& [name, bytes] : oneTree) {
      const auto other = fourTree.find(name);
      ASSERT_NE(other, fourTree.end()) << name;
      // The build record names its folder and the files' times.
      if (name.ends_with(".lvbuild")) continue;
      EXPECT_TRUE(other->second == bytes) << name << " differs";
    }
  }

  TempFolder dir_;
  album::AlbumSettings settings_;
  album::AlbumPictures pictures_;
};

}  // namespace

TEST_F(ParallelExportTest, FourJobsWriteWhatOneJobWritesReportedInTheSameOrder) {
  AddMixedAlbum();
  ExpectSameRuns(1, [](const std::string&) {});
  // The run is the album above, byte for byte, not merely equal in error.
  EXPECT_TRUE(dir_.Exists("1/pics/Foto3.jpg"));
  EXPECT_TRUE(dir_.Exists("1/pics/Bild0.jpg"));
  EXPECT_TRUE(dir_.Exists("1/mini/sw.jpg"));
  EXPECT_TRUE(dir_.Exists("1/mini/breit.jpg"));
  EXPECT_FALSE(dir_.Exists("1/pics/breit.jpg"));
  EXPECT_EQ(dir_.Read("1/html/kaputt.htm"), "");
}

// The temporary file a killed run left behind is cleared by the next run.
TEST_F(ParallelExportTest, SecondRunMatchesToo) {
  AddMixedAlbum();
  ExpectSameRuns(2, [&](const std::string& root) { dir_.Write(root + "/pics/.lv0123abcd.tmp", "Rest"); });
  EXPECT_TRUE(dir_.Exists("4/pics/Foto8.jpg"));
  EXPECT_TRUE(dir_.Exists("4/html/Bild2.htm"));
  EXPECT_FALSE(dir_.Exists("1/pics/.lv0123abcd.tmp"));
}

TEST_F(ParallelExportTest, CopiesThatCannotBeWrittenMatch) {
  AddMixedAlbum();
  ExpectSameRuns(1, [&](const std::string& root) { dir_.Write(root + "/pics", "im Weg"); });
  EXPECT_TRUE(dir_.Exists("4/mini/Foto0.jpg"));
}

// Constant time per picture: the n-th picture of a name looks at one name on
// disk, not at the n names before it.
TEST_F(ParallelExportTest, SameNamedPicturesCostNoMoreNameLookupsThanDistinctOnes) {
  constexpr int kPictures = 100;
  AddBmp("Foto.bmp", 4, 3, 24);
  for (int i = 1; i < kPictures; ++i) pictures_.push_back(pictures_[0]);
  uint64_t before = generator::FreeNameProbes();
  EXPECT_EQ(Generate("same/index.htm", 2).Result.FailedPictures, 0);
  const uint64_t same = generator::FreeNameProbes() - before;

  pictures_.clear();
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "Foto" + std::to_string(i) + "x.bmp";
    fs::create_symlink(dir_.Root() / "src/Foto.bmp", dir_.Root() / "src" / name);
    Add(name);
  }
  before = generator::FreeNameProbes();
  EXPECT_EQ(Generate("distinct/index.htm", 2).Result.FailedPictures, 0);
  const uint64_t distinct = generator::FreeNameProbes() - before;

  EXPECT_TRUE(dir_.Exists("same/pics/Foto98.jpg"));
  EXPECT_GE(distinct, 3u * kPictures);
  EXPECT_LE(same * 2, distinct * 3) << same << " lookups against " << distinct;
}

// Images of the pool test: each lives from the start of its picture's work
// until the consumer has taken the picture.
struct LiveImages {
  std::mutex mutex;
  std::vector<imaging::Image> images;
  int32_t live = 0, mostLive = 0, begun = 0;

  void Made(int32_t index, imaging::Image image) {
    std::lock_guard lock(mutex);
    images[static_cast<size_t>(index)] = std::move(image);
    mostLive = std::max(mostLive, ++live);
    ++begun;
  }
  void Free(int32_t index) {
    std::lock_guard lock(mutex);
    images[static_cast<size_t>(index)].reset();
    --live;
  }
  // Until `count` pictures were begun (or ten seconds passed), then a little
  // longer: room for a pool that ignores its bound to begin more.
  void AwaitBegun(int32_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      {
        std::lock_guard lock(mutex);
        if (begun >= count || std::chrono::steady_clock::now() > deadline) break;
      }
      std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
};

class LoggingConsumer : public generator::OrderedConsumer {
 public:
  LoggingConsumer(LiveImages& images, int32_t slowHeadWaitsFor) : images_(images), waitFor_(slowHeadWaitsFor) {}
  void Begin(int32_t index) override { Add("begin " + std::to_string(index)); }
  void Take(generator::WorkEvent event) override { Add(std::to_string(event.Percent)); }
  void End(int32_t index) override {
    if (index == 0) images_.AwaitBegun(waitFor_);
    images_.Free(index);
    Add("end " + std::to_string(index));
  }
  std::vector<std::string> Log;
  bool OtherThread = false;

 private:
  void Add(std::string line) {
    OtherThread = OtherThread || std::this_thread::get_id() != caller_;
    Log.push_back(std::move(line));
  }
  LiveImages& images_;
  int32_t waitFor_;
  std::thread::id caller_ = std::this_thread::get_id();
};

// At most InFlight pictures are begun and not yet consumed, however slow the
// consumer; each picture's events arrive in order, on the calling thread.
TEST(PicturePool, BoundsLivePicturesAndDeliversInOrderOnTheCallingThread) {
  constexpr int32_t kCount = 24;
  const generator::PoolSize size{3, 5};
  LiveImages images;
  images.images.resize(kCount);
  const generator::PictureWorkFunction work = [&](int32_t index, generator::WorkSink& sink) {
    imaging::Image image;
    imaging::newdib(&image, 64, 64, 24, nullptr, 0);
    images.Made(index, std::move(image));
    for (int k = 0; k < 3; ++k) {
      generator::WorkEvent event;
      event.Percent = index * 10 + k;
      sink.Take(std::move(event));
    }
  };
  LoggingConsumer consumer(images, size.InFlight);

  EXPECT_EQ(generator::RunPictures(kCount, size, nullptr, work, consumer), kCount);
  EXPECT_EQ(images.begun, kCount);
  EXPECT_EQ(images.live, 0);
  EXPECT_EQ(images.mostLive, size.InFlight);
  EXPECT_FALSE(consumer.OtherThread);
  std::vector<std::string> expected;
  for (int32_t i = 0; i < kCount; ++i) {
    expected.push_back("begin " + std::to_string(i));
    for (int k = 0; k < 3; ++k) expected.push_back(std::to_string(i * 10 + k));
    expected.push_back("end " + std::to_string(i));
  }
  EXPECT_EQ(consumer.Log, expected);
}
