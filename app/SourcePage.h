#pragma once
// Page "Bilder hinzufügen": the picture source above, the album's lines and
// the preview below, each between splitters the window remembers.
#include <QWidget>

class QSettings;
class QSplitter;

namespace app {

class AlbumListPane;
class FolderBrowser;
class PreviewPane;

class SourcePage : public QWidget {
  Q_OBJECT

 public:
  explicit SourcePage(QWidget* parent = nullptr);

  FolderBrowser& Folders() { return *folders_; }
  const FolderBrowser& Folders() const { return *folders_; }
  AlbumListPane& AlbumList() { return *albumList_; }
  PreviewPane& Preview() { return *preview_; }
  void SaveLayout(QSettings& settings) const;
  void RestoreLayout(const QSettings& settings);

 private:
  FolderBrowser* folders_;
  AlbumListPane* albumList_;
  PreviewPane* preview_;
  QSplitter* PageSplitter;
  QSplitter* AlbumSplitter;
};

}  // namespace app
