#include "generator/OutputNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Paths.h"

namespace {

bool IsAsciiAlnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Any entry counts, a folder or a dangling link included: a name is free only
// when nothing of that name is in the way.
bool EntryExists(const std::string& path) {
  struct stat st {};
  return ::lstat(platform::ToFileSystem(path).c_str(), &st) == 0;
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
  std::string name = base + extension;
  for (long n = 0; EntryExists(folder + name); ++n) name = base + std::to_string(n) + extension;
  return name;
}

bool CreateEmptyFile(const std::string& path) {
  const int fd = ::open(platform::ToFileSystem(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  return ::close(fd) == 0;
}
