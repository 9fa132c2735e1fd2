#pragma once
// The main window: tool row, the five work pages, the bottom bar and the
// status bar with its progress panel. It owns the album, the preview picture
// and the favourites; each handler collects what the controls show and calls
// the album, image and generator code.
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "album/CommentEditor.h"
#include "app/logic/FilterList.h"
#include "app/ListBox.h"
#include "app/logic/RecentAlbums.h"
#include "imaging/RasterImage.h"
#include "platform/Progress.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QShortcut;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeView;
namespace platform {
class Messages;
class FileDialogs;
}  // namespace platform

namespace viewer {
class PaintBox;
}  // namespace viewer

namespace app {
class GenerationRun;
class PictureButton;
class ResultBrowser;
class ShellListView;
class TColorBox;
class TStatusBar;
}  // namespace app

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

  // State the window owns.
  std::string ProgramFolder;
  imaging::RasterImage PreviewImage{};
  std::string PreviewFileName;
  album::AlbumPictures Pictures;
  std::optional<std::string> SavedFileName;
  const std::vector<std::string>& Favourites() const { return favourites_; }
  bool RefreshingComment() const { return comments_.RefreshingComment(); }

  // Tool row.
  QToolButton* NewBtn;
  QToolButton* OpenBtn;
  QToolButton* SaveBtn;
  QToolButton* SaveAsBtn;
  QTabWidget* PageControl2;
  QWidget* TabSheet1;
  QWidget* TabSheet3;
  QWidget* TabSheet5;
  QWidget* TabSheet4;
  QWidget* TabSheet6;

  // Page "Bilder hinzufügen".
  app::ListBox* PrefListBox;
  QTreeView* JamShellTree1;
  app::ShellListView* JamShellList1;
  QComboBox* FilterComboBox1;
  viewer::PaintBox* DibPrevPaint;
  QPushButton* AddBtn;
  QPushButton* DelBtn;
  QPushButton* ViewBtn;
  QPushButton* PrintBtn;
  app::ListBox* ImageList;
  QSplitter* SourceSplitter;
  QSplitter* PageSplitter;
  QSplitter* AlbumSplitter;

  // Page "Sortieren".
  app::ListBox* SortBox;
  QPushButton* UpNow;
  QPushButton* DownNow;

  // Page "Kommentare".
  app::ListBox* ImageBox;
  QCheckBox* ShowComment;
  QPlainTextEdit* ComMemo;

  // Page "Lumivista erstellen".
  app::PictureButton* GoBtn;
  QLabel* GoBtn1;
  QLabel* GoBtn1Down;
  QComboBox* TemplateBox;
  QTabWidget* PageControl1;
  app::TColorBox* BKColorBox;
  app::TColorBox* BKColorBox2;
  QSpinBox* BreitEd;
  QSpinBox* HochEd;
  QLineEdit* CaptionED;
  QLineEdit* FreeText;
  QSpinBox* AnzEd;
  QSpinBox* BorderEd;
  QCheckBox* backlink;
  QLineEdit* Caption2ED;
  QSpinBox* Border2ED;
  QLabel* UploadInfo;

  // Page "Ergebnis betrachten".
  app::ResultBrowser* WebBrowser1;

  // Bottom bar and status bar.
  QToolButton* wwwBtn;
  app::PictureButton* ueberButton;
  QLabel* ueberbtn;
  QLabel* ueberBtn2;
  app::PictureButton* EndeButton;
  QLabel* EndeBtn;
  QLabel* EndeBtnDown;
  QPushButton* StopBtn;  // "Abbrechen", shown while a run goes on
  app::TStatusBar* StatusBar1;
  QMenu* RecentMenu;     // the recent albums, on "Öffnen..."

  // Start-up and shutdown.
  void FormCreate();
  bool FormCloseQuery();
  void FormDestroy();
  // Opens the album named by the first argument after the program's name, as
  // a file manager passes it; nothing when there is none.
  void OpenFromCommandLine(const QStringList& arguments);

  // Progress from the image library (WMUser).
  void Progress(int percent) override;
  void SetProStatus(int percent);

  void wwwBtnClick();
  void EndeBtnClick();
  void ueberbtnClick();

  // Picture source and favourites.
  void FilterComboBox1Change();
  void JamShellList1DblClick();
  bool JamShellList1KeyPress(int key);
  void PrefListBoxDblClick();
  void AddToPrefFolders(const std::string& folder);
  std::string SelectedFolder() const;
  void SelectFolder(const std::string& folder);
  std::vector<std::string> SelectedNames() const;

  // Album list.
  void UpdateListBox();
  void AddBtnClick();
  void DelBtnClick();
  void ImageListDblClick();
  // Loads album entry `index` into the preview; nothing for a line without a picture.
  void LoadPreview(int index);
  void NewBtnClick();
  void AddDroppedFiles(const std::vector<std::string>& paths);

  // Order and comments.
  void ChangeImageBox();
  void ImageBoxClickCheck();
  void ShowCommentClick();
  void ComMemoChange();
  void ImageBoxDblClick();
  void UpNowClick();
  void DownNowClick();
  void SortBoxDblClick();
  void FocusImageListLine(int index);

  // Album file.
  void OpenBtnClick();
  void SaveBtnClick();
  void SaveAsBtnClick();
  bool SaveFile(const std::string& path);
  bool OpenFile(const std::string& path);
  void Setsavedfilename(const std::optional<std::string>& path);
  // An entry of the recent albums; a file that is gone leaves the list.
  void OpenRecentAlbum(const std::string& path);
  const app::RecentAlbums& Recent() const { return recent_; }
  std::string AlbumStartFolder() const;

  // Generation page.
  album::AlbumSettings CurrentSettings() const;
  void ApplyStoredSettings(const album::AlbumSettings& settings);
  std::string TemplateFolder() const;
  void GoBtn1Click();
  std::string OverviewStartFolder() const;
  // Stops a run after the pictures in work ("Abbrechen" or Escape).
  void StopBtnClick();
  bool Generating() const { return generating_; }

  // Preview and viewer.
  void openfilenow(const std::string& fileName);
  void DibPrevPaintPaint(class QPainter& painter);
  void ViewBtnClick();
  void PrintBtnClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolRow();
  QWidget* BuildSourcePage();
  QWidget* BuildSortPage();
  QWidget* BuildCommentPage();
  QWidget* BuildGeneratePage();
  QWidget* BuildGeneralSettings();
  QWidget* BuildDetailSettings();
  QWidget* BuildResultPage();
  QWidget* BuildBottomBar();
  void ConnectHandlers();
  void ConnectSourceHandlers();
  void ConnectAlbumHandlers();
  void ConnectRunHandlers();
  void ConnectShortcuts();
  void SetRunning(bool running);
  void ShowRunProgress();
  std::vector<QWidget*> AlbumChangingControls() const;
  void RememberOverviewFolder(const std::string& folder);
  void RememberAlbum(const std::string& path);
  void FillRecentMenu();
  // The paths Windows-1252 can hold; the others are named in a message.
  std::vector<QString> WithoutUnfitNames(const std::vector<QString>& paths);
  std::vector<QString> SelectedFileNames() const;
  void GuardTypedText();
  void LoadFavouritesIntoList();
  void ShowFavourites();
  void RevealSelectedFolder(const QString& loadedFolder = QString());
  void FillTemplateBox();
  void OpenViewerOrPrint(int index, bool print);
  void RestoreWindowState();
  void SaveWindowState() const;

  platform::Messages& messages_;
  platform::FileDialogs& dialogs_;
  QFileSystemModel* folderModel_;
  QFileSystemModel* fileModel_;
  QPersistentModelIndex revealFolder_;
  std::vector<app::FilterEntry> filters_;
  std::vector<std::string> favourites_;
  album::CommentEditor comments_;
  bool refilling_ = false;
  bool generating_ = false;
  app::GenerationRun* run_ = nullptr;
  QTimer* runTimer_ = nullptr;
  QShortcut* stopShortcut_ = nullptr;
  std::vector<std::pair<QWidget*, bool>> lockedControls_;
  app::RecentAlbums recent_;
  std::string overviewFolder_;  // where this album's overview was last written
  QString acceptedMemo_;        // the memo's last text the album can hold
  bool destroyed_ = false;
};
