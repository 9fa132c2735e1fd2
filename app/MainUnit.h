#pragma once
// The main window: tool row, the five work pages, the bottom bar and the
// status bar. It holds the album document, which the pages show (its lines
// through one list model, its settings on "Lumivista erstellen"), the
// preview picture and the favourites, and wires the pages' signals to
// handlers that call the album, image and generator code.
#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumPicture.h"
#include "album/CommentEditor.h"
#include "app/logic/FilterList.h"
#include "app/logic/RecentAlbums.h"
#include "imaging/Image.h"
#include "platform/Progress.h"

class QTabWidget;
class QTimer;
namespace platform {
class Messages;
class FileDialogs;
}  // namespace platform

namespace app {

class AlbumDocument;
class AlbumListModel;
class AlbumListPane;
class BottomBar;
class CommentPage;
class FolderBrowser;
class GeneratePage;
class GenerationRun;
class PreviewPane;
class ResultBrowser;
class SortPage;
class SourcePage;
class TStatusBar;
class ToolRow;
class WindowActions;

class TMainForm : public QMainWindow, public platform::ProgressReceiver {
  Q_OBJECT

 public:
  // Message boxes and file dialogs go through `messages` and `dialogs`, which
  // must outlive the window.
  TMainForm(platform::Messages& messages, platform::FileDialogs& dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Viewing and printing an entry end in the viewer's and the print dialog's
  // code; they receive an alias of the preview picture and its file name.
  std::function<void(const imaging::RasterImage&, const std::string&)> ShowViewer;
  std::function<void(const imaging::RasterImage&, const std::string&)> PrintPicture;

  // The album in work; the pages show it as it changes.
  AlbumDocument& Document() { return *document_; }
  // The window's commands; a test triggers them as a click or key would.
  const WindowActions& Actions() const { return *actions_; }

  // Opens the album named by the first argument after the program's name, as
  // a file manager passes it; nothing when there is none.
  void OpenFromCommandLine(const QStringList& arguments);

  // Progress from the image library (WMUser).
  void Progress(int percent) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Start-up and shutdown.
  void FormCreate();
  bool FormCloseQuery();
  void FormDestroy();
  void SetProStatus(int percent);
  void wwwBtnClick();
  void EndeBtnClick();
  void ueberbtnClick();
  bool Generating() const;

  // The picture source.
  void FilterComboBox1Change();
  void JamShellList1DblClick();
  void PrefListBoxDblClick();
  void AddToPrefFolders(const std::string& folder);
  void RemoveFromPrefFolders(int index);
  std::string SelectedFolder() const;
  void SelectFolder(const std::string& folder);
  void openfilenow(const std::string& fileName);

  // The album's lines on three pages.
  // After the lines were replaced, as a refill did: the first line current
  // everywhere, the buttons that need lines, the comment controls.
  void UpdateListBox();
  // After a move the same but for the sort list, which keeps its place with
  // the moved picture.
  void RestartAlbumLists();
  void AddDroppedFiles(const std::vector<std::string>& paths);
  void ImageListDblClick();
  void ImageBoxDblClick();
  void DelBtnClick();
  // Loads album entry `index` into the preview; nothing for a line without a picture.
  void LoadPreview(int index);
  void NewBtnClick();
  void ChangeImageBox();
  void ShowCommentClick();
  void ComMemoChange();
  void SortBoxDblClick();
  void FocusImageListLine(int index);

  bool SaveFile(const std::string& path);
  bool OpenFile(const std::string& path);
  void OpenBtnClick();
  void SaveBtnClick();
  void SaveAsBtnClick();
  // An entry of the recent albums; a file that is gone leaves the list.
  void OpenRecentAlbum(const std::string& path);
  std::string AlbumStartFolder() const;

  std::string TemplateFolder() const;
  void GoBtn1Click();
  std::string OverviewStartFolder() const;
  // Stops a run after the pictures in work ("Abbrechen" or Escape).
  void StopBtnClick();
  void DibPrevPaintPaint(class QPainter& painter, QSize size);
  void PrintBtnClick();
  void AddBtnClick();
  void UpNowClick();
  void DownNowClick();
  void ViewBtnClick();

  void BuildPages();
  FolderBrowser& Folders();
  AlbumListPane& AlbumList();
  PreviewPane& Preview();
  void ConnectHandlers();
  void ConnectSourceHandlers();
  void ConnectAlbumHandlers();
  void ConnectAlbumViews();
  void ConnectRunHandlers();
  void ConnectShortcuts();
  void ConnectActions();
  void SetRunning(bool running);
  void ShowCaption();
  // Moves the Sort page's current line with `move` and keeps it current.
  void MoveSortLine(std::optional<int> (*move)(album::AlbumPictures&, int));
  // The album's file as the settings store names it; empty when unsaved.
  QString AlbumPathText() const;
  void ShowRunProgress();
  void ShowRefusedCharacter();
  void RememberOverviewFolder(const std::string& folder);
  void RememberAlbum(const std::string& path);
  // The design of a saved album, for the next time it is opened.
  void RememberAlbumDesign();
  void FillRecentMenu();
  // The paths Windows-1252 can hold; the others are named in a message.
  std::vector<QString> WithoutUnfitNames(const std::vector<QString>& paths);
  void LoadFavouritesIntoList();
  void ShowFavourites();
  void FillTemplateBox();
  void OpenViewerOrPrint(int index, bool print);
  void RestoreWindowState();
  void SaveWindowState() const;

  platform::Messages& messages_;
  platform::FileDialogs& dialogs_;
  WindowActions* actions_;
  AlbumDocument* document_;
  AlbumListModel* lines_;
  ToolRow* toolRow_;
  QTabWidget* pages_;
  SourcePage* sourcePage_;
  SortPage* sortPage_;
  CommentPage* commentPage_;
  GeneratePage* generatePage_;
  ResultBrowser* resultBrowser_;
  BottomBar* bottomBar_;
  TStatusBar* statusBar_;

  std::string programFolder_;
  imaging::Image previewImage_;
  std::string previewFileName_;
  std::vector<FilterEntry> filters_;
  std::vector<std::string> favourites_;
  album::CommentEditor comments_;
  GenerationRun* run_ = nullptr;
  QTimer* runTimer_ = nullptr;
  RecentAlbums recent_;
  bool destroyed_ = false;
};

}  // namespace app
