#pragma once
// The album in work: its pictures and settings, the file it was saved to,
// the folder its overview was last written to, and whether it has changes
// not yet saved. The window's views follow its signals.
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"

namespace app {

class AlbumDocument : public QObject {
  Q_OBJECT

 public:
  explicit AlbumDocument(QObject* parent = nullptr);
  ~AlbumDocument() override;

  const album::AlbumPictures& Pictures() const { return pictures_; }
  // Entries added, removed or replaced: `edit` says whether it changed any
  // line; only then is the album changed and are the lines replaced.
  void EditLines(const std::function<bool(album::AlbumPictures&)>& edit);
  // One entry moved by `move` (album::UpNow, album::DownNow) from `line` to
  // the line it gives; nothing when it gives none.
  std::optional<int> MoveLine(int line, std::optional<int> (*move)(album::AlbumPictures&, int));
  // Marks and comments: the lines stay as they are; the album is changed
  // only when an entry is.
  void EditEntries(const std::function<void(album::AlbumPictures&)>& edit);
  // A new, empty album without a file; the settings stay.
  void Clear();
  // Reads the album saved at `path` with `load`, which starts from this
  // album's settings; on success it is this album, saved there. A failed
  // read changes nothing.
  bool Load(const std::string& path, const std::function<bool(album::AlbumPictures&, album::AlbumSettings&)>& load);
  // The album was written to `path`.
  void SavedAs(const std::string& path);

  const album::AlbumSettings& Settings() const { return settings_; }
  // Settings leave the unsaved state as it is: only pictures, marks and
  // comments have ever counted as changes.
  void SetSettings(const album::AlbumSettings& settings);

  const std::optional<std::string>& Path() const { return path_; }
  // Where this album's overview was last written; empty when never.
  const std::string& OutputFolder() const { return outputFolder_; }
  void SetOutputFolder(const std::string& folder) { outputFolder_ = folder; }
  bool Modified() const { return modified_; }

 signals:
  // Around every change of the lines: all of them replaced, or one moved.
  void LinesAboutToBeReplaced();
  void LinesReplaced();
  void LineAboutToMove(int from, int to);
  void LineMoved(int from, int to);
  // Marks, comments or show flags of lines `first` to `last` changed.
  void EntriesChanged(int first, int last);
  void SettingsChanged();
  void PathChanged();
  void ModifiedChanged(bool modified);

 private:
  void ReplaceLines(album::AlbumPictures lines);
  void SetPath(const std::optional<std::string>& path);
  void SetModified(bool modified);

  album::AlbumPictures pictures_;
  album::AlbumSettings settings_;
  std::optional<std::string> path_;
  std::string outputFolder_;
  bool modified_ = false;
};

}  // namespace app
