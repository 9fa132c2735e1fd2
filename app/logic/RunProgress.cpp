#include "app/logic/RunProgress.h"

#include <algorithm>

namespace app {

void RunProgress::PictureStarted(int32_t number, int32_t count) {
  number_ = number;
  count_ = count;
  filesDone_ = 0;
  filePercent_ = 0;
  Update();
}

void RunProgress::FileProgress(int32_t percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent < filePercent_) ++filesDone_;
  filePercent_ = percent;
  Update();
}

// Picture n of N at fraction f of its files: ((n - 1) + f) / N of the run,
// with the product formed first and the division truncating, as the bar's
// own arithmetic does.
void RunProgress::Update() {
  if (count_ <= 0 || number_ <= 0) return;
  const int64_t fileSteps = std::min<int64_t>(int64_t{filesDone_} * 100 + filePercent_, kFilesPerPicture * 100);
  const int64_t done = (int64_t{number_} - 1) * kFilesPerPicture * 100 + fileSteps;
  const int64_t whole = int64_t{count_} * kFilesPerPicture * 100;
  percent_ = std::max(percent_, static_cast<int32_t>(std::min<int64_t>(done * 100 / whole, 100)));
}

}  // namespace app
