#include "cli/CliPaths.h"

#include <filesystem>

#include "platform/Cp1252.h"
#include "platform/Paths.h"

namespace cli {

namespace {

const char kOnlyWindows1252[] = " enthält Zeichen, die eine Albumdatei nicht speichern kann (nur Windows-1252).";

std::string AbsoluteUtf8Path(const std::string& utf8Path) {
  // "./a.jpg" must become "<folder>/a.jpg" so it compares equal to the album's folder.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(utf8Path, error);
  return error ? utf8Path : absolute.lexically_normal().string();
}

}  // namespace

std::string AbsoluteAnsiPath(const std::string& utf8Path) {
  if (utf8Path.empty()) return {};
  return platform::FromFileSystem(AbsoluteUtf8Path(utf8Path));
}

bool CheckedAnsiPath(const std::string& utf8Path, std::string& ansiPath, std::string& error) {
  // The working folder's name counts as well: it becomes part of the stored path.
  const std::string absolute = utf8Path.empty() ? std::string() : AbsoluteUtf8Path(utf8Path);
  if (!platform::FitsAnsi(absolute)) {
    error = "Der Dateiname \"" + absolute + "\"" + kOnlyWindows1252;
    return false;
  }
  ansiPath = platform::FromFileSystem(absolute);
  return true;
}

bool CheckedAnsiText(const std::string& utf8, std::string_view what, std::string& ansi, std::string& error) {
  if (!platform::FitsAnsi(utf8)) {
    error = "Der Text \"" + utf8 + "\" (" + std::string(what) + ")" + kOnlyWindows1252;
    return false;
  }
  ansi = platform::Utf8ToAnsi(utf8);
  return true;
}

}  // namespace cli
