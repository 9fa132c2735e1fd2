#include "generator/OutputNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/Paths.h"

namespace generator {

namespace {

std::atomic<uint64_t> probes{0};

bool IsAsciiAlnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Any entry counts, a folder or a dangling link included: a name is free only
// when nothing of that name is in the way.
bool EntryExists(const std::string& path) {
  probes.fetch_add(1, std::memory_order_relaxed);
  struct stat st {};
  return ::lstat(platform::ToFileSystem(path).c_str(), &st) == 0;
}

std::string CandidateName(const std::string& base, int64_t number, const std::string& extension) {
  return number < 0 ? base + extension : base + std::to_string(number) + extension;
}

// An empty base (a source name without any ASCII letter or digit) never takes
// the bare extension: ".htm" or ".jpg" would be a hidden file, which uploads
// skip and web servers refuse. Its numbering starts at 0 instead.
int64_t FirstNumber(const std::string& base) { return base.empty() ? 0 : -1; }

std::string Key(const std::string& folder, const std::string& base, const std::string& extension) {
  return folder + '\0' + base + '\0' + extension;
}

}  // namespace

std::string AlnumOnly(std::string_view text) {
  std::string out;
  for (char c : text)
    if (IsAsciiAlnum(c)) out += c;
  return out;
}

std::string NameBase(std::string_view sourcePath) {
  std::string name = platform::ExtractFileName(sourcePath);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return AlnumOnly(name);
}

std::string FreeName(const std::string& folder, const std::string& base, const std::string& extension) {
  return FreeNames().Find(folder, base, extension).Name;
}

FreeNames::Candidate FreeNames::Find(const std::string& folder, const std::string& base, const std::string& extension) {
  int64_t& first = firstUnknown_.try_emplace(Key(folder, base, extension), FirstNumber(base)).first->second;
  while (EntryExists(folder + CandidateName(base, first, extension))) ++first;
  return {CandidateName(base, first, extension), first};
}

void FreeNames::Taken(const std::string& folder, const std::string& base, const std::string& extension,
                      const Candidate& candidate) {
  int64_t& first = firstUnknown_.try_emplace(Key(folder, base, extension), FirstNumber(base)).first->second;
  if (candidate.Number >= first) first = candidate.Number + 1;
}

uint64_t FreeNameProbes() { return probes.load(std::memory_order_relaxed); }

platform::PublishOutcome CreateEmptyFile(const std::string& path) {
  const int fd = ::open(platform::ToFileSystem(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? platform::PublishOutcome::NameTaken : platform::PublishOutcome::Failed;
  return ::close(fd) == 0 ? platform::PublishOutcome::Published : platform::PublishOutcome::Failed;
}

}  // namespace generator
