#pragma once
// The whole run's progress on the status bar. The generator reports a
// percentage per file it reads or writes (the picture, its copy and its
// thumbnail); the bar shows how far the run is through all its pictures.
#include <cstdint>

namespace app {

class RunProgress {
 public:
  // Files read or written per picture: the picture, its copy, its thumbnail.
  static constexpr int32_t kFilesPerPicture = 3;

  void PictureStarted(int32_t number, int32_t count);
  // A file's own percentage; a drop below the last report means the next
  // file of the picture has begun.
  void FileProgress(int32_t percent);

  // 0..100 for the whole run; never goes back during a run.
  int32_t Percent() const { return percent_; }
  int32_t Number() const { return number_; }
  int32_t Count() const { return count_; }

 private:
  void Update();

  int32_t number_ = 0, count_ = 0;
  int32_t filesDone_ = 0, filePercent_ = 0;
  int32_t percent_ = 0;
};

}  // namespace app
