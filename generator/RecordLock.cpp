#include "generator/RecordLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Paths.h"

namespace generator {

RecordLock::RecordLock(const std::string& lockPath, Mode mode) {
  // Never through a link: the lock file is ours or nothing.
  fd_ = ::open(platform::ToFileSystem(lockPath).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd_ < 0) return;
  int result = 0;
  do {
    result = ::flock(fd_, mode == Mode::Wait ? LOCK_EX : LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

RecordLock::~RecordLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace generator
