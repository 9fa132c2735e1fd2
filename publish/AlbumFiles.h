#pragma once
// Which files of a built album folder a publish sends: the overview pages in
// the folder itself and the files inside the album's own folders. Anything
// else there (private files, the album file, hidden files such as a build
// record) is neither sent nor ever deleted on the server.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "publish/Manifest.h"

namespace publish {

// The folders a build writes pictures and pages into; a new output folder of
// the build belongs here. Each may be a symbolic link on the local disk.
// Listed in upload order (UploadRank): pictures of every size before pages.
inline constexpr std::array<std::string_view, 5> kAlbumFolders{"pics", "mini", "screen", "mini2x", "html"};
// The folder of the detail pages, sent after the pictures they show.
inline constexpr std::string_view kPageFolder = "html";

// A page's name: ".htm" or ".html" in any case.
bool IsPageName(std::string_view name);
// True when any part of the path starts with ".".
bool IsHiddenPath(std::string_view path);
// An overview page in the top folder or a file inside one of kAlbumFolders,
// with no hidden part: what a publish may send, and so what it may delete.
bool IsAlbumPath(std::string_view path);
// Upload order, so a visitor never follows a link to a missing file:
// 0 pictures and thumbnails, 1 detail pages, 2 overview pages.
int UploadRank(std::string_view path);

struct FolderScan {
  Manifest Files;
  std::vector<std::string> Problems;  // one German line per file or folder that could not be read
  bool Complete() const { return Problems.empty(); }
};

// The album's files below `folder` with size and digest. Links to folders
// are followed for the album folder and kAlbumFolders only; links to files,
// hidden entries and album files (.lva) are left out.
FolderScan ScanAlbumFolder(const std::string& folder);

// True when `folder` holds an overview page and html/ at least one page;
// checked before anything is read, so a home folder picked by mistake is
// refused before its files are even looked at.
bool HoldsBuiltAlbum(const std::string& folder);

}  // namespace publish
