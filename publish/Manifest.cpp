#include "publish/Manifest.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/Sha256.h"

namespace publish {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "lumivista-manifest 1\n";

bool IsHidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.empty() && name.front() == '.';
}

bool IsAlbumFile(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return extension == ".lva";
}

bool IsSha256Hex(std::string_view text) {
  if (text.size() != 64) return false;
  for (const char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// One line "<sha256> <size> <path>"; the path comes last so it may hold spaces.
bool ParseLine(std::string_view line, std::string& path, ManifestEntry& entry) {
  const size_t firstSpace = line.find(' ');
  if (firstSpace == std::string_view::npos) return false;
  const size_t secondSpace = line.find(' ', firstSpace + 1);
  if (secondSpace == std::string_view::npos) return false;
  const std::string_view digest = line.substr(0, firstSpace);
  const std::string_view size = line.substr(firstSpace + 1, secondSpace - firstSpace - 1);
  const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), entry.Size);
  if (!IsSha256Hex(digest) || error != std::errc() || end != size.data() + size.size()) return false;
  entry.Sha256 = std::string(digest);
  path = std::string(line.substr(secondSpace + 1));
  return IsSafeRelativePath(path);
}

}  // namespace

bool IsSafeRelativePath(std::string_view path) {
  if (path.empty() || path.front() == '/') return false;
  for (const char c : path)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '\\') return false;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view part = path.substr(start, slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = slash + 1;
  }
  return true;
}

FolderScan ScanFolder(const std::string& folder) {
  FolderScan scan;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::directory_entry& item = *it;
    if (IsHidden(item.path())) {
      if (item.is_directory(error)) it.disable_recursion_pending();
      continue;
    }
    if (item.is_symlink(error) || !item.is_regular_file(error) || IsAlbumFile(item.path())) continue;
    const std::string relative = fs::relative(item.path(), folder, error).generic_string();
    const std::optional<std::string> digest = platform::FileSha256Hex(item.path().string());
    const uintmax_t size = item.file_size(error);
    if (!digest || error || !IsSafeRelativePath(relative)) {
      scan.Problems.push_back("Die Datei \"" + item.path().string() + "\" kann nicht gelesen werden.");
      error.clear();
      continue;
    }
    scan.Files[relative] = ManifestEntry{size, *digest};
  }
  if (error) scan.Problems.push_back("Das Verzeichnis \"" + folder + "\" kann nicht gelesen werden.");
  return scan;
}

std::string FormatManifest(const Manifest& manifest) {
  std::string text(kHeader);
  for (const auto& [path, entry] : manifest)
    text += entry.Sha256 + ' ' + std::to_string(entry.Size) + ' ' + path + '\n';
  return text;
}

ParsedManifest ParseManifest(std::string_view text) {
  ParsedManifest parsed;
  if (!text.starts_with(kHeader)) {
    parsed.Recognised = false;
    return parsed;
  }
  text.remove_prefix(kHeader.size());
  while (!text.empty()) {
    const size_t newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    std::string path;
    ManifestEntry entry;
    if (ParseLine(line, path, entry))
      parsed.Files[path] = entry;
    else
      ++parsed.RejectedLines;
  }
  return parsed;
}

}  // namespace publish
