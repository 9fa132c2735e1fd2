#pragma once
// The list of files a publish put on the server: relative path, size and
// SHA-256 of each. It is kept on the server beside the album, so the next
// publish sends only what changed and deletes only what it put there.
// Paths are UTF-8 with "/" between folders, as on the local disk.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace publish {

// The manifest's name in the album folder on the server; hidden, so it is
// never taken for a file of the album.
inline constexpr const char* kManifestName = ".lumivista-manifest";

struct ManifestEntry {
  uint64_t Size = 0;
  std::string Sha256;
  bool operator==(const ManifestEntry&) const = default;
};

// Keyed by relative path, so the order (and the manifest's text) is stable.
using Manifest = std::map<std::string, ManifestEntry>;

// True for a relative path that stays inside the album folder: no empty,
// "." or ".." parts, no leading "/", no backslash and no control characters.
// Paths from the server's manifest are checked with it before any use.
bool IsSafeRelativePath(std::string_view path);

std::string FormatManifest(const Manifest& manifest);

struct ParsedManifest {
  Manifest Files;
  int RejectedLines = 0;   // malformed lines or unsafe paths, left out
  bool Recognised = true;  // false when the text is no manifest at all
};
ParsedManifest ParseManifest(std::string_view text);

}  // namespace publish
