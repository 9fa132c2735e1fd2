#include "cli/CliPaths.h"

#include <filesystem>

#include "platform/Paths.h"

std::string AbsoluteAnsiPath(const std::string& utf8Path) {
  if (utf8Path.empty()) return {};
  // "./a.jpg" must become "<folder>/a.jpg" so it compares equal to the album's folder.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(utf8Path, error);
  if (error) return platform::FromFileSystem(utf8Path);
  return platform::FromFileSystem(absolute.lexically_normal().string());
}
