#pragma once
// The albums opened or saved last, newest first, each with the folder its
// overview page was last written to.
#include <cstddef>
#include <string>
#include <vector>

namespace app {

struct RecentAlbum {
  std::string Path;            // the album file, Windows-1252
  std::string OverviewFolder;  // empty until a run wrote its overview
};

class RecentAlbums {
 public:
  static constexpr size_t kMaximum = 8;

  RecentAlbums() = default;
  explicit RecentAlbums(std::vector<RecentAlbum> entries);

  // Moves `path` to the front, keeping its overview folder; the oldest entry
  // beyond the maximum is dropped.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  void SetOverviewFolder(const std::string& path, const std::string& folder);
  // The overview folder remembered for `path`; empty when none.
  std::string OverviewFolderOf(const std::string& path) const;
  // The folder of the newest album; empty when the list is empty.
  std::string LastFolder() const;

  const std::vector<RecentAlbum>& Entries() const { return entries_; }

 private:
  std::vector<RecentAlbum>::iterator Find(const std::string& path);

  std::vector<RecentAlbum> entries_;
};

}  // namespace app
