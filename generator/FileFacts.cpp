#include "generator/FileFacts.h"

#include <sys/stat.h>

#include "platform/Paths.h"

namespace generator {

namespace {

FileFacts FactsOf(const struct stat& st) {
  return {static_cast<int64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + static_cast<int64_t>(st.st_mtim.tv_nsec),
          static_cast<uint64_t>(st.st_ino), static_cast<uint64_t>(st.st_dev)};
}

}  // namespace

std::optional<FileFacts> OwnFileFacts(const std::string& path) {
  struct stat st {};
  if (::lstat(platform::ToFileSystem(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FactsOf(st);
}

std::optional<FileFacts> SourceFileFacts(const std::string& path) {
  struct stat st {};
  if (::stat(platform::ToFileSystem(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FactsOf(st);
}

}  // namespace generator
