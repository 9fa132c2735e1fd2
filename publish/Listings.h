#pragma once
// Folder listings as servers send them, read into names and types. Anything
// that cannot be read clearly is left out: a name that is not listed is never
// taken for a file that may be replaced or deleted.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "publish/RemoteFolder.h"

namespace publish {

// "ls -l" lines, as SFTP servers and most FTP servers send them:
// "-rw-r--r--   1 anna users 1234 Dec  9 21:28 Bild 1.jpg". The first letter
// gives the type; "l" (a link, "name -> target") is Other.
FolderListing ParseLongListing(std::string_view text);

// A WebDAV PROPFIND answer (Depth 1) for the folder at URL path `folderPath`:
// its members, collections as folders. The folder's own entry is left out.
FolderListing ParseWebDavListing(std::string_view xml, const std::string& folderPath);

// The size in a PROPFIND answer (Depth 0) for one file; none where the
// server left it out or sent no plain number.
std::optional<uint64_t> ParseContentLength(std::string_view xml);

}  // namespace publish
