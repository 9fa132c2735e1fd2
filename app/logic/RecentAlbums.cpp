#include "app/logic/RecentAlbums.h"

#include <algorithm>

#include "platform/Paths.h"

namespace app {

RecentAlbums::RecentAlbums(std::vector<RecentAlbum> entries) {
  // Stored lists are read back through Add's rules: no empty paths, no
  // repeats, no more than the maximum.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (it->Path.empty()) continue;
    Add(it->Path);
    entries_.front().OverviewFolder = it->OverviewFolder;
  }
}

std::vector<RecentAlbum>::iterator RecentAlbums::Find(const std::string& path) {
  return std::find_if(entries_.begin(), entries_.end(), [&](const RecentAlbum& e) { return e.Path == path; });
}

void RecentAlbums::Add(const std::string& path) {
  RecentAlbum entry{path, {}};
  if (const auto found = Find(path); found != entries_.end()) {
    entry = *found;
    entries_.erase(found);
  }
  entries_.insert(entries_.begin(), entry);
  if (entries_.size() > kMaximum) entries_.resize(kMaximum);
}

void RecentAlbums::Remove(const std::string& path) {
  if (const auto found = Find(path); found != entries_.end()) entries_.erase(found);
}

void RecentAlbums::SetOverviewFolder(const std::string& path, const std::string& folder) {
  if (const auto found = Find(path); found != entries_.end()) found->OverviewFolder = folder;
}

std::string RecentAlbums::OverviewFolderOf(const std::string& path) const {
  for (const RecentAlbum& entry : entries_)
    if (entry.Path == path) return entry.OverviewFolder;
  return {};
}

std::string RecentAlbums::LastFolder() const {
  return entries_.empty() ? std::string() : platform::ExtractFilePath(entries_.front().Path);
}

}  // namespace app
