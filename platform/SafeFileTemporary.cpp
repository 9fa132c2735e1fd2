#include "platform/SafeFileTemporary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/SafeFile.h"

namespace platform {
namespace {

constexpr std::string_view kPrefix = ".lv";
constexpr std::string_view kSuffix = ".tmp";
constexpr size_t kHexDigits = 8;

std::string RandomTemporaryName() {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  char name[32];
  std::snprintf(name, sizeof name, ".lv%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
  return name;
}

// Unnamed files need /proc to be linked in without extra privileges.
bool CanLinkUnnamedFiles() {
  static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
  return procMounted;
}

std::string ProcPathOf(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

bool Lock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

// File systems without hard links (FAT) still offer an exclusive rename.
PublishOutcome ExclusiveRename(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return PublishOutcome::Published;
  return errno == EEXIST ? PublishOutcome::NameTaken : PublishOutcome::Failed;
}

}  // namespace

std::string FolderOf(const std::string& fsPath) {
  const size_t slash = fsPath.rfind('/');
  return slash == std::string::npos ? std::string("./") : fsPath.substr(0, slash + 1);
}

bool IsTemporaryName(std::string_view name) {
  if (name.size() != kPrefix.size() + kHexDigits + kSuffix.size()) return false;
  if (name.substr(0, kPrefix.size()) != kPrefix || name.substr(name.size() - kSuffix.size()) != kSuffix) return false;
  for (char c : name.substr(kPrefix.size(), kHexDigits))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

TemporaryFile::TemporaryFile(const std::string& fsFolder) : folder_(fsFolder) {
  if (CanLinkUnnamedFiles()) {
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0 && Lock(fd_)) return;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    const std::string path = folder_ + RandomTemporaryName();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0)
      name_ = path;
    else if (errno != EEXIST)
      break;
  }
  if (fd_ >= 0 && !Lock(fd_)) {
    ::unlink(name_.c_str());
    name_.clear();
    ::close(fd_);
    fd_ = -1;
  }
}

TemporaryFile::~TemporaryFile() {
  if (!name_.empty()) ::unlink(name_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

PublishOutcome TemporaryFile::LinkAs(const std::string& fsTarget) {
  if (fd_ < 0) return PublishOutcome::Failed;
  const bool unnamed = name_.empty();
  const std::string source = unnamed ? ProcPathOf(fd_) : name_;
  if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, fsTarget.c_str(), unnamed ? AT_SYMLINK_FOLLOW : 0) == 0)
    return PublishOutcome::Published;
  if (errno == EEXIST) return PublishOutcome::NameTaken;
  if (unnamed) return PublishOutcome::Failed;
  const PublishOutcome renamed = ExclusiveRename(name_, fsTarget);
  if (renamed == PublishOutcome::Published) name_.clear();
  return renamed;
}

bool TemporaryFile::ReplaceTarget(const std::string& fsTarget) {
  if (fd_ < 0 || (name_.empty() && !GiveTemporaryName())) return false;
  if (std::rename(name_.c_str(), fsTarget.c_str()) != 0) return false;
  name_.clear();
  return true;
}

// rename() needs a name: the unnamed file gets a short one for the moment
// between this link and the rename.
bool TemporaryFile::GiveTemporaryName() {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string path = folder_ + RandomTemporaryName();
    if (::linkat(AT_FDCWD, ProcPathOf(fd_).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

}  // namespace platform
