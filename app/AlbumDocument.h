#pragma once
// The album in work: its pictures, the file it was saved to, the folder its
// overview was last written to, and whether it has changes not yet saved.
// The window's views follow its signals.
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "album/AlbumPicture.h"

namespace app {

class AlbumDocument : public QObject {
  Q_OBJECT

 public:
  explicit AlbumDocument(QObject* parent = nullptr);
  ~AlbumDocument() override;

  const album::AlbumPictures& Pictures() const { return pictures_; }
  // Entries added, removed or moved: `edit` says whether it changed any line;
  // only then is the album changed and do the views show the new lines.
  void EditLines(const std::function<bool(album::AlbumPictures&)>& edit);
  // Marks and comments: the lines stay as they are; the album is changed
  // only when an entry is.
  void EditEntries(const std::function<void(album::AlbumPictures&)>& edit);
  // A new, empty album without a file.
  void Clear();
  // Reads the album saved at `path` with `load`; on success it is this
  // album, saved there. A failed read leaves what `load` left, unnamed as before.
  bool Load(const std::string& path, const std::function<bool(album::AlbumPictures&)>& load);
  // The album was written to `path`.
  void SavedAs(const std::string& path);

  const std::optional<std::string>& Path() const { return path_; }
  // Where this album's overview was last written; empty when never.
  const std::string& OutputFolder() const { return outputFolder_; }
  void SetOutputFolder(const std::string& folder) { outputFolder_ = folder; }
  bool Modified() const { return modified_; }

 signals:
  void Changed();
  void PathChanged();
  void ModifiedChanged(bool modified);

 private:
  void SetPath(const std::optional<std::string>& path);
  void SetModified(bool modified);

  album::AlbumPictures pictures_;
  std::optional<std::string> path_;
  std::string outputFolder_;
  bool modified_ = false;
};

}  // namespace app
