#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "Paths.h"

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string TemporaryName(const std::string& fsTarget) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
  return fsTarget + suffix;
}

}  // namespace

bool WriteFileAtomically(const std::string& ansiPath, std::string_view bytes, Durability durability) {
  const std::string target = ToFileSystem(ansiPath);
  const std::string temp = TemporaryName(target);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && (durability == Durability::Regenerable || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool ReadWholeFile(const std::string& ansiPath, std::string& bytes) {
  // Non-blocking, so that opening a named pipe returns at once and is refused
  // below instead of waiting for a writer; regular files ignore the flag.
  const int fd = ::open(ToFileSystem(ansiPath).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  bytes.clear();
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

bool FileExists(const std::string& ansiPath) {
  struct stat st {};
  return ::stat(ToFileSystem(ansiPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& ansiPath) {
  struct stat st {};
  return ::stat(ToFileSystem(ansiPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& ansiPath) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(ToFileSystem(ansiPath)), ec);
  return DirectoryExists(ansiPath);
}

}  // namespace platform
