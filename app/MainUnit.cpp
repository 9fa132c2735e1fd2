// The main window's frame: construction, start-up, closing, progress, the
// bottom bar's commands and the remembered window state.
#include "app/MainUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

#include "album/AlbumList.h"
#include "app/AboutBoxUnit.h"
#include "app/AlbumDocument.h"
#include "app/AlbumListModel.h"
#include "app/AlbumListPane.h"
#include "app/BottomBar.h"
#include "app/CommentPage.h"
#include "app/FolderBrowser.h"
#include "app/GeneratePage.h"
#include "app/PreviewPane.h"
#include "app/RecentAlbumsStore.h"
#include "app/ResultBrowser.h"
#include "app/SortPage.h"
#include "app/SourcePage.h"
#include "app/StartFolder.h"
#include "app/StatusBar.h"
#include "app/ToolRow.h"
#include "app/WindowActions.h"
#include "imaging/Rastola.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/qt/QtText.h"
#include "platform/qt/UserSettings.h"

namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 200;

}  // namespace

namespace app {

TMainForm::TMainForm(platform::Messages& messages, platform::FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      messages_(messages),
      dialogs_(dialogs),
      document_(new app::AlbumDocument(this)),
      lines_(new app::AlbumListModel(*document_, this)) {
  setObjectName("MainForm");
  actions_ = new app::WindowActions(this);
  toolRow_ = new app::ToolRow(this, *actions_);
  addToolBar(Qt::TopToolBarArea, toolRow_);
  BuildPages();
  bottomBar_ = new app::BottomBar;
  statusBar_ = new app::TStatusBar;
  statusBar_->setObjectName("StatusBar1");
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pages_, 1);
  layout->addWidget(bottomBar_);
  layout->addWidget(statusBar_);
  setCentralWidget(central);

  ConnectHandlers();
  FormCreate();
  RestoreWindowState();
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::BuildPages() {
  pages_ = new QTabWidget;
  pages_->setObjectName("PageControl2");
  sourcePage_ = new app::SourcePage(pages_);
  sortPage_ = new app::SortPage(pages_);
  commentPage_ = new app::CommentPage(pages_);
  generatePage_ = new app::GeneratePage(pages_);
  resultBrowser_ = new app::ResultBrowser(pages_);
  resultBrowser_->setObjectName("WebBrowser1");
  pages_->addTab(sourcePage_, style()->standardIcon(QStyle::SP_DirOpenIcon), "Bilder hinzufügen");
  pages_->addTab(sortPage_, style()->standardIcon(QStyle::SP_ArrowDown), "Sortieren");
  pages_->addTab(commentPage_, style()->standardIcon(QStyle::SP_FileDialogDetailedView), "Kommentare");
  pages_->addTab(generatePage_, style()->standardIcon(QStyle::SP_MediaPlay), "Lumivista erstellen");
  pages_->addTab(resultBrowser_, style()->standardIcon(QStyle::SP_ComputerIcon), "Ergebnis betrachten");
  pages_->setCurrentIndex(0);
}

app::FolderBrowser& TMainForm::Folders() { return sourcePage_->Folders(); }
app::AlbumListPane& TMainForm::AlbumList() { return sourcePage_->AlbumList(); }
app::PreviewPane& TMainForm::Preview() { return sourcePage_->Preview(); }

void TMainForm::FormCreate() {
  programFolder_ = platform::ProgramFolder();
  filters_ = app::ParseFilterText(imaging::GetDIBOpenFilter());
  QStringList descriptions;
  for (const app::FilterEntry& entry : filters_) descriptions << platform::ToQString(entry.Description);
  Preview().ShowFilters(descriptions);
  // The list shows what the box says from the start.
  FilterComboBox1Change();
  imaging::newdib(&previewImage_, kPreviewWidth, kPreviewHeight, 24, nullptr, 0);
  if (previewImage_) std::memset(previewImage_->Pixels, 0xFF, previewImage_->Info->bmiHeader.biSizeImage);
  SelectFolder(app::StartFolder(programFolder_));
  ChangeImageBox();
  ShowCaption();
  LoadFavouritesIntoList();
  FillTemplateBox();
  recent_ = app::LoadRecentAlbums();
}

bool TMainForm::FormCloseQuery() {
  return messages_.Confirm("Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!",
                           "Programm beenden");
}

void TMainForm::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  previewImage_.reset();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A close request that arrives while an album is generated waits for the
  // run: the run still needs the window and the album.
  if (Generating() || !FormCloseQuery()) {
    event->ignore();
    return;
  }
  SaveWindowState();
  event->accept();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  QTimer::singleShot(0, this, [this] { Folders().RevealSelectedFolder(); });
}

// Loading a preview reports here; during a run the bar shows the run's own
// progress.
void TMainForm::Progress(int percent) {
  if (!Generating()) SetProStatus(percent);
}

void TMainForm::SetProStatus(int percent) { statusBar_->SetProStatus(percent); }

void TMainForm::wwwBtnClick() { app::ShellOpen(app::HomePageAddress); }

void TMainForm::EndeBtnClick() { close(); }

void TMainForm::ueberbtnClick() {
  app::TAboutBox box(this);
  box.exec();
}

bool TMainForm::Generating() const { return actions_->Running(); }

// Buttons and keys trigger the actions; each action runs one command.
void TMainForm::ConnectActions() {
  connect(actions_->New, &QAction::triggered, this, &TMainForm::NewBtnClick);
  connect(actions_->Open, &QAction::triggered, this, &TMainForm::OpenBtnClick);
  connect(actions_->Save, &QAction::triggered, this, &TMainForm::SaveBtnClick);
  connect(actions_->SaveAs, &QAction::triggered, this, &TMainForm::SaveAsBtnClick);
  connect(actions_->Generate, &QAction::triggered, this, &TMainForm::GoBtn1Click);
  connect(actions_->Stop, &QAction::triggered, this, &TMainForm::StopBtnClick);
  connect(actions_->Delete, &QAction::triggered, this, &TMainForm::DelBtnClick);
  AlbumList().UseDeleteAction(actions_->Delete);
  bottomBar_->UseStopAction(actions_->Stop);
  generatePage_->UseGenerateAction(actions_->Generate);
}

void TMainForm::ConnectHandlers() {
  ConnectActions();
  ConnectAlbumViews();
  connect(document_, &app::AlbumDocument::PathChanged, this, &TMainForm::ShowCaption);
  connect(toolRow_, &app::ToolRow::RecentAlbumsWanted, this, &TMainForm::FillRecentMenu);
  connect(toolRow_, &app::ToolRow::RecentAlbumChosen, this, &TMainForm::OpenRecentAlbum);
  connect(bottomBar_, &app::BottomBar::HomePageClicked, this, &TMainForm::wwwBtnClick);
  connect(bottomBar_, &app::BottomBar::EndClicked, this, &TMainForm::EndeBtnClick);
  connect(bottomBar_, &app::BottomBar::AboutClicked, this, &TMainForm::ueberbtnClick);
  Preview().SetPainter([this](QPainter& painter, QSize size) { DibPrevPaintPaint(painter, size); });
  ConnectSourceHandlers();
  ConnectAlbumHandlers();
  ConnectRunHandlers();
  ConnectShortcuts();
  connect(commentPage_, &app::CommentPage::CharacterRefused, this, &TMainForm::ShowRefusedCharacter);
  connect(generatePage_, &app::GeneratePage::CharacterRefused, this, &TMainForm::ShowRefusedCharacter);
}

void TMainForm::RestoreWindowState() {
  QSettings settings = platform::UserSettings();
  if (!restoreGeometry(settings.value("MainWindow/geometry").toByteArray())) {
    resize(1000, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  sourcePage_->RestoreLayout(settings);
}

void TMainForm::SaveWindowState() const {
  QSettings settings = platform::UserSettings();
  settings.setValue("MainWindow/geometry", saveGeometry());
  sourcePage_->SaveLayout(settings);
}

}  // namespace app
