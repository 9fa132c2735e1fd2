#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Paths.h"

namespace platform {

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Open(const std::string& ansiPath) {
  // Non-blocking, so that a named pipe is refused at once instead of waiting.
  fd_ = ::open(ToFileSystem(ansiPath).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size_ = uint64_t(st.st_size);
  return true;
}

bool InputFile::Read(char* target, size_t count) {
  if (fd_ < 0) return false;
  while (count > 0) {
    if (begin_ == end_) {
      const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      begin_ = 0;
      end_ = size_t(n);
    }
    const size_t part = std::min(count, end_ - begin_);
    std::memcpy(target, buffer_ + begin_, part);
    begin_ += part;
    target += part;
    count -= part;
  }
  return true;
}

}  // namespace platform
