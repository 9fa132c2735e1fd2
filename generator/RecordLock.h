#pragma once
// The lock one run holds on an overview page's record while it works, so two
// runs of one album never write a mixed record: the second waits. The lock
// file stays (it is hidden and empty); the lock ends with the process, so a
// killed run never blocks the next.
#include <string>

namespace generator {

class RecordLock {
 public:
  enum class Mode { Wait, TryOnly };
  RecordLock(const std::string& lockPath, Mode mode);
  ~RecordLock();
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;

  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace generator
