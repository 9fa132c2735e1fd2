#include "SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

#include "Paths.h"
#include "SafeFileTemporary.h"

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

// The file a write through `fsPath` lands in: the final target of a chain of
// symbolic links (kept short, as the system's own limit on link chains).
std::string FollowLinks(std::string fsPath) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(fsPath.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(fsPath.c_str(), link.data(), link.size());
    if (n <= 0) break;
    link.resize(static_cast<size_t>(n));
    fsPath = link.front() == '/' ? link : FolderOf(fsPath) + link;
  }
  return fsPath;
}

// Owner first: changing it may clear the set-id bits the mode then restores.
void KeepIdentity(int fd, const struct stat& old) {
  if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  ::fchmod(fd, old.st_mode & 07777);
}

}  // namespace

bool WriteFileAtomically(const std::string& ansiPath, std::string_view bytes, Durability durability) {
  const std::string target = FollowLinks(ToFileSystem(ansiPath));
  if (durability == Durability::WaitForDisk) RemoveStaleTemporaryFiles(FromFileSystem(FolderOf(target)));
  TemporaryFile temp(FolderOf(target));
  if (!temp.IsOpen()) return false;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) KeepIdentity(temp.Descriptor(), old);
  return WriteAll(temp.Descriptor(), bytes) &&
         (durability == Durability::Regenerable || ::fsync(temp.Descriptor()) == 0) && temp.ReplaceTarget(target);
}

PublishOutcome PublishNewFile(const std::string& ansiPath, std::string_view bytes) {
  const std::string target = ToFileSystem(ansiPath);
  TemporaryFile temp(FolderOf(target));
  if (!temp.IsOpen() || !WriteAll(temp.Descriptor(), bytes)) return PublishOutcome::Failed;
  return temp.LinkAs(target);
}

void RemoveStaleTemporaryFiles(const std::string& ansiFolder) {
  const std::string folder = ToFileSystem(ansiFolder);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A writer holds the lock as long as it lives.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlinkat(dirFd, entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(dir);
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
