#pragma once
// The hooks a whole publish hands to its transfers: progress over all files
// and the user's stop, which waits while a file is being renamed into place.
#include <algorithm>
#include <cstdint>

#include "publish/Publisher.h"

namespace publish {

// True for a result that ends the run: a lost connection or a stop.
inline bool Ends(const TransferResult& result) {
  return result.Status == TransferStatus::Fatal || result.Status == TransferStatus::Cancelled;
}

// Turns the bytes of the running transfer into bytes of the whole publish.
// A file takes several transfers (upload and rename), so the count only
// grows and never passes the end of the file being sent. While a file is
// being renamed into place, a stop waits, so the old file is never left aside.
class WholeRunHooks : public TransferHooks {
 public:
  explicit WholeRunHooks(PublishObserver& observer) : observer_(observer) {}
  void Sent(uint64_t bytes) override {
    observer_.Sent(bytes);
    const uint64_t done = std::min(fileStart_ + bytes, fileEnd_);
    if (done <= reported_) return;
    reported_ = done;
    observer_.BytesProgress(done, total_);
  }
  bool StopRequested() override { return stopHolds_ == 0 && observer_.StopRequested(); }
  void HoldStop(bool held) { stopHolds_ += held ? 1 : -1; }
  void FileDone() { Sent(fileEnd_ - fileStart_); }
  void StartFile(uint64_t doneBefore, uint64_t fileSize, uint64_t total) {
    fileStart_ = doneBefore;
    fileEnd_ = doneBefore + fileSize;
    total_ = total;
  }

 private:
  PublishObserver& observer_;
  uint64_t fileStart_ = 0;
  uint64_t fileEnd_ = 0;
  uint64_t total_ = 0;
  uint64_t reported_ = 0;
  int stopHolds_ = 0;
};

// Holds a stop back for as long as it lives.
class StopHold {
 public:
  explicit StopHold(WholeRunHooks& hooks) : hooks_(hooks) { hooks_.HoldStop(true); }
  ~StopHold() { hooks_.HoldStop(false); }

 private:
  WholeRunHooks& hooks_;
};

}  // namespace publish
