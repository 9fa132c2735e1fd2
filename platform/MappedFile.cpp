#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Paths.h"

namespace platform {

MappedFile::~MappedFile() { Close(); }

void MappedFile::Close() {
  guard_.Release();
  if (data_ && size_ > 0) ::munmap(const_cast<uint8_t*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

bool MappedFile::Open(const std::string& ansiPath, uint64_t maxBytes) {
  Close();
  tooLarge_ = false;
  // Non-blocking, so that a named pipe is refused at once instead of waiting.
  const int fd = ::open(ToFileSystem(ansiPath).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok && uint64_t(st.st_size) > maxBytes) ok = false, tooLarge_ = true;
  if (ok && st.st_size > 0) {
    void* mapped = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ok = mapped != MAP_FAILED;
    if (ok) {
      ::madvise(mapped, size_t(st.st_size), MADV_SEQUENTIAL);
      data_ = static_cast<const uint8_t*>(mapped);
      size_ = size_t(st.st_size);
      guard_.Watch(data_, size_);
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace platform
