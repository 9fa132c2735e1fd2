#include "Paths.h"

#include <filesystem>
#include <system_error>

#include "Cp1252.h"

namespace platform {
namespace {

std::string& ProgramFolderStore() {
  static std::string folder;
  return folder;
}

char FoldAsciiCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string DetectProgramFolder() {
  std::error_code ec;
#ifdef _WIN32
  const std::filesystem::path exe;  // GetModuleFileName belongs here on Windows.
#else
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
  if (ec || exe.empty()) return IncludeTrailingDelimiter(FromFileSystem(std::filesystem::current_path(ec).string()));
  return ExtractFilePath(FromFileSystem(exe.string()));
}

}  // namespace

bool IsPathDelimiter(char c) {
#ifdef _WIN32
  return c == '\\' || c == ':';
#else
  return c == '/';
#endif
}

std::string ExtractFilePath(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsPathDelimiter(path[i - 1])) return std::string(path.substr(0, i));
  return {};
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(ExtractFilePath(path).size())); }

bool EndsWithDelimiter(std::string_view path) { return !path.empty() && IsPathDelimiter(path.back()); }

std::string IncludeTrailingDelimiter(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && !EndsWithDelimiter(out)) out += PathDelimiter;
  return out;
}

bool SameFolder(std::string_view a, std::string_view b) {
#ifdef _WIN32
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  return true;
#else
  (void)FoldAsciiCase;
  return a == b;
#endif
}

std::string ToFileSystem(std::string_view ansiPath) {
#ifdef _WIN32
  return std::string(ansiPath);
#else
  return AnsiToUtf8(ansiPath);
#endif
}

std::string FromFileSystem(std::string_view fsPath) {
#ifdef _WIN32
  return std::string(fsPath);
#else
  return Utf8ToAnsi(fsPath);
#endif
}

const std::string& ProgramFolder() {
  auto& folder = ProgramFolderStore();
  if (folder.empty()) folder = DetectProgramFolder();
  return folder;
}

void SetProgramFolder(std::string folder) { ProgramFolderStore() = IncludeTrailingDelimiter(folder); }

}  // namespace platform
