#pragma once
// The picture source: the favourite folders, a line to type or paste a
// folder's path into, the folder tree and the file list of the folder chosen
// in it.
#include <QPersistentModelIndex>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QFileSystemModel;
class QLineEdit;
class QSettings;
class QSplitter;
class QStringListModel;
class QTreeView;

namespace app {

class ListBox;
class ShellListView;

class FolderBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit FolderBrowser(QWidget* parent = nullptr);

  // The folder chosen in the tree; empty when none is.
  std::string SelectedFolder() const;
  // Chooses `folder` in the tree and scrolls to it once it has been read.
  void SelectFolder(const std::string& folder);
  // Opens and scrolls to the chosen folder; with `loadedFolder` only when
  // that folder, just read, is one of its parents.
  void RevealSelectedFolder(const QString& loadedFolder = QString());
  // The names of the marked files of the file list, in the list's order.
  std::vector<QString> SelectedFileNames() const;
  // Enters the file list's current entry when it is a folder; else returns
  // the path of that file. Nothing when no entry is marked.
  std::optional<std::string> EnterCurrentEntry();
  // Enter opens the current entry unless a name is being edited in place;
  // true when the key was used.
  bool ListKeyPress(int key);
  void SetNamePatterns(const QStringList& patterns);
  void ShowFavourites(const std::vector<std::string>& folders);
  int CurrentFavourite() const;
  // Puts the keyboard into the path line with its text marked (Ctrl+L).
  void EditPath();
  void SaveLayout(QSettings& settings) const;
  void RestoreLayout(const QSettings& settings);

 signals:
  // A double click or Enter on the file list.
  void EntryOpened();
  void FavouriteOpened();
  // Delete or the context menu on the favourite in line `index`.
  void FavouriteRemoved(int index);
  // A typed path that names no folder.
  void FolderNotFound(const QString& path);

 private:
  QWidget* BuildFavouritesRow();
  QWidget* BuildPathRow();
  void GoToTypedPath();
  void BuildModels();
  void ConnectControls();
  void ShowFolderOfTree(const QModelIndex& current);

  ListBox* PrefListBox;
  QStringListModel* favouriteLines_;
  QLineEdit* PathEdit;
  QTreeView* JamShellTree1;
  ShellListView* JamShellList1;
  QSplitter* SourceSplitter;
  QFileSystemModel* folderModel_;
  QFileSystemModel* fileModel_;  // a FileListModel
  QPersistentModelIndex revealFolder_;
};

}  // namespace app
