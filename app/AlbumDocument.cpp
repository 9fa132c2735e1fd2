#include "app/AlbumDocument.h"

#include "album/AlbumList.h"

namespace app {

AlbumDocument::AlbumDocument(QObject* parent) : QObject(parent) {}

AlbumDocument::~AlbumDocument() { album::DelallPics(pictures_); }

// The views read the lines while they change, so an edit works on a copy
// and the lines are replaced between the two signals.
void AlbumDocument::EditLines(const std::function<bool(album::AlbumPictures&)>& edit) {
  album::AlbumPictures lines = pictures_;
  if (!edit(lines)) return;
  ReplaceLines(std::move(lines));
  SetModified(true);
}

std::optional<int> AlbumDocument::MoveLine(int line, std::optional<int> (*move)(album::AlbumPictures&, int)) {
  album::AlbumPictures lines = pictures_;
  const std::optional<int> to = move(lines, line);
  if (!to) return std::nullopt;
  emit LineAboutToMove(line, *to);
  pictures_.swap(lines);
  emit LineMoved(line, *to);
  SetModified(true);
  return to;
}

void AlbumDocument::EditEntries(const std::function<void(album::AlbumPictures&)>& edit) {
  // Showing an entry's comment goes through here too and changes nothing.
  const album::AlbumPictures before = pictures_;
  edit(pictures_);
  int first = -1, last = -1;
  for (size_t i = 0; i < pictures_.size() && i < before.size(); ++i) {
    if (pictures_[i] == before[i]) continue;
    if (first < 0) first = static_cast<int>(i);
    last = static_cast<int>(i);
  }
  if (first < 0) return;
  SetModified(true);
  emit EntriesChanged(first, last);
}

void AlbumDocument::Clear() {
  ReplaceLines({});
  outputFolder_.clear();
  SetPath(std::nullopt);
  SetModified(false);
}

bool AlbumDocument::Load(const std::string& path,
                         const std::function<bool(album::AlbumPictures&, album::AlbumSettings&)>& load) {
  album::AlbumPictures lines;
  album::AlbumSettings settings = settings_;
  if (!load(lines, settings)) return false;
  ReplaceLines(std::move(lines));
  SetSettings(settings);
  SetPath(path);
  SetModified(false);
  return true;
}

void AlbumDocument::SavedAs(const std::string& path) {
  SetPath(path);
  SetModified(false);
}

void AlbumDocument::SetSettings(const album::AlbumSettings& settings) {
  if (settings == settings_) return;
  settings_ = settings;
  emit SettingsChanged();
}

void AlbumDocument::ReplaceLines(album::AlbumPictures lines) {
  emit LinesAboutToBeReplaced();
  pictures_.swap(lines);
  emit LinesReplaced();
}

void AlbumDocument::SetPath(const std::optional<std::string>& path) {
  path_ = path;
  emit PathChanged();
}

void AlbumDocument::SetModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  emit ModifiedChanged(modified);
}

}  // namespace app
