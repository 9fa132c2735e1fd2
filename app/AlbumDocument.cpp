#include "app/AlbumDocument.h"

#include "album/AlbumList.h"

namespace app {

AlbumDocument::AlbumDocument(QObject* parent) : QObject(parent) {}

AlbumDocument::~AlbumDocument() { album::DelallPics(pictures_); }

void AlbumDocument::EditLines(const std::function<bool(album::AlbumPictures&)>& edit) {
  if (!edit(pictures_)) return;
  SetModified(true);
  emit Changed();
}

void AlbumDocument::EditEntries(const std::function<void(album::AlbumPictures&)>& edit) {
  // Showing an entry's comment goes through here too and changes nothing.
  const album::AlbumPictures before = pictures_;
  edit(pictures_);
  if (pictures_ != before) SetModified(true);
}

void AlbumDocument::Clear() {
  album::DelallPics(pictures_);
  outputFolder_.clear();
  SetPath(std::nullopt);
  SetModified(false);
  emit Changed();
}

bool AlbumDocument::Load(const std::string& path, const std::function<bool(album::AlbumPictures&)>& load) {
  if (!load(pictures_)) return false;
  SetPath(path);
  SetModified(false);
  emit Changed();
  return true;
}

void AlbumDocument::SavedAs(const std::string& path) {
  SetPath(path);
  SetModified(false);
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
