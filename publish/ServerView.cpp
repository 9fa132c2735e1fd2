#include "publish/ServerView.h"

namespace publish {

const ServerView::Folder& ServerView::Load(const std::string& folder) {
  Folder& known = folders_[folder];
  if (known.Listed) return known;
  const TransferResult listed = remote_.List(folder, known.Entries);
  known.Listed = listed.Status == TransferStatus::Ok || listed.Status == TransferStatus::NotFound;
  if (!known.Listed) {
    failure_ = listed;
    known.Entries.clear();
  }
  return known;
}

const FolderListing& ServerView::Listing(const std::string& folder) { return Load(folder).Entries; }

ServerEntry ServerView::TypeOf(const std::string& path) {
  std::string folder;
  size_t start = 0;
  while (true) {
    const size_t slash = path.find('/', start);
    const std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    const Folder& listed = Load(folder);
    if (!listed.Listed) return ServerEntry::Unknown;
    const auto entry = listed.Entries.find(name);
    if (entry == listed.Entries.end()) return ServerEntry::Missing;
    if (slash == std::string::npos) return entry->second == EntryType::File ? ServerEntry::File : ServerEntry::NotAFile;
    if (entry->second != EntryType::Folder) return ServerEntry::NotAFile;
    folder = path.substr(0, slash);
    start = slash + 1;
  }
}

}  // namespace publish
