#include "publish/AlbumFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/Sha256.h"

namespace publish {
namespace {

namespace fs = std::filesystem;

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](char lower, char c) { return (c >= 'A' && c <= 'Z' ? c + 32 : c) == lower; });
}

std::string_view FirstPart(std::string_view path) { return path.substr(0, path.find('/')); }

bool IsInAlbumFolder(std::string_view path) {
  if (path.find('/') == std::string_view::npos) return false;
  return std::find(kAlbumFolders.begin(), kAlbumFolders.end(), FirstPart(path)) != kAlbumFolders.end();
}

void AddFile(const fs::path& file, const std::string& relative, FolderScan& scan) {
  std::error_code error;
  const uintmax_t size = fs::file_size(file, error);
  const std::optional<std::string> digest = platform::FileSha256Hex(file.string());
  if (!digest || error || !IsSafeRelativePath(relative)) {
    scan.Problems.push_back("Die Datei \"" + file.string() + "\" kann nicht gelesen werden.");
    return;
  }
  scan.Files[relative] = ManifestEntry{size, *digest};
}

// A regular file, not a link: a link could point anywhere on the disk.
bool IsPlainFile(const fs::directory_entry& item) {
  std::error_code error;
  return !item.is_symlink(error) && item.is_regular_file(error);
}

bool HoldsPage(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsPageName(name) && !IsHiddenPath(name) && IsPlainFile(*it)) return true;
  }
  return false;
}

void ScanTopFolder(const fs::path& folder, FolderScan& scan) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsAlbumPath(name) && IsPlainFile(*it)) AddFile(it->path(), name, scan);
  }
  if (error) scan.Problems.push_back("Das Verzeichnis \"" + folder.string() + "\" kann nicht gelesen werden.");
}

// Everything inside one album folder; the folder itself may be a link.
void ScanAlbumSubfolder(const fs::path& folder, std::string_view name, FolderScan& scan) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return;
  fs::recursive_directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const std::string relative = std::string(name) + "/" + fs::relative(it->path(), folder, error).generic_string();
    if (IsHiddenPath(relative)) {
      if (it->is_directory(error)) it.disable_recursion_pending();
      continue;
    }
    if (IsPlainFile(*it) && !EndsWithNoCase(relative, ".lva")) AddFile(it->path(), relative, scan);
  }
  if (error) scan.Problems.push_back("Das Verzeichnis \"" + folder.string() + "\" kann nicht gelesen werden.");
}

}  // namespace

bool IsPageName(std::string_view name) { return EndsWithNoCase(name, ".htm") || EndsWithNoCase(name, ".html"); }

bool IsHiddenPath(std::string_view path) { return path.starts_with('.') || path.find("/.") != std::string_view::npos; }

bool IsAlbumPath(std::string_view path) {
  if (!IsSafeRelativePath(path) || IsHiddenPath(path)) return false;
  if (path.find('/') == std::string_view::npos) return IsPageName(path);
  return IsInAlbumFolder(path);
}

int UploadRank(std::string_view path) {
  if (path.find('/') == std::string_view::npos) return 2;
  return FirstPart(path) == kPageFolder ? 1 : 0;
}

FolderScan ScanAlbumFolder(const std::string& folder) {
  FolderScan scan;
  ScanTopFolder(folder, scan);
  for (const std::string_view name : kAlbumFolders) ScanAlbumSubfolder(fs::path(folder) / name, name, scan);
  return scan;
}

bool HoldsBuiltAlbum(const std::string& folder) {
  return HoldsPage(folder) && HoldsPage(fs::path(folder) / kPageFolder);
}

}  // namespace publish
