// The main window's frame: construction, start-up, closing, progress, the
// picture buttons and the remembered window state.
#include "app/MainUnit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstring>

#include "album/AlbumList.h"
#include "app/AboutBoxUnit.h"
#include "app/PictureButton.h"
#include "app/ShellListView.h"
#include "app/StatusBar.h"
#include "app/UserSettings.h"
#include "viewer/PaintBox.h"
#include "imaging/Rastola.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/qt/QtText.h"

namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 200;

}  // namespace

TMainForm::TMainForm(platform::Messages& messages, platform::FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), messages_(messages), dialogs_(dialogs) {
  setObjectName("MainForm");
  BuildToolRow();
  PageControl2 = new QTabWidget;
  PageControl2->setObjectName("PageControl2");
  TabSheet1 = BuildSourcePage();
  TabSheet3 = BuildSortPage();
  TabSheet5 = BuildCommentPage();
  TabSheet4 = BuildGeneratePage();
  TabSheet6 = BuildResultPage();
  PageControl2->addTab(TabSheet1, style()->standardIcon(QStyle::SP_DirOpenIcon), "Bilder hinzufügen");
  PageControl2->addTab(TabSheet3, style()->standardIcon(QStyle::SP_ArrowDown), "Sortieren");
  PageControl2->addTab(TabSheet5, style()->standardIcon(QStyle::SP_FileDialogDetailedView), "Kommentare");
  PageControl2->addTab(TabSheet4, style()->standardIcon(QStyle::SP_MediaPlay), "Lumivista erstellen");
  PageControl2->addTab(TabSheet6, style()->standardIcon(QStyle::SP_ComputerIcon), "Ergebnis betrachten");
  PageControl2->setCurrentIndex(0);

  StatusBar1 = new app::TStatusBar;
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PageControl2, 1);
  layout->addWidget(BuildBottomBar());
  layout->addWidget(StatusBar1);
  setCentralWidget(central);

  ConnectHandlers();
  FormCreate();
  RestoreWindowState();
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::FormCreate() {
  ProgramFolder = platform::ProgramFolder();
  filters_ = app::ParseFilterText(imaging::GetDIBOpenFilter());
  for (const app::FilterEntry& entry : filters_) FilterComboBox1->addItem(platform::ToQString(entry.Description));
  FilterComboBox1->setCurrentIndex(filters_.empty() ? -1 : 0);
  // The list shows what the box says from the start.
  FilterComboBox1Change();
  imaging::newdib(&PreviewImage, kPreviewWidth, kPreviewHeight, 24, nullptr, 0);
  if (PreviewImage.Pixels) std::memset(PreviewImage.Pixels, 0xFF, PreviewImage.Info->bmiHeader.biSizeImage);
  SelectFolder(ProgramFolder);
  ChangeImageBox();
  Setsavedfilename(std::nullopt);
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
  if (PreviewImage.Info || PreviewImage.Pixels) imaging::deldib(PreviewImage);
  PreviewImage = imaging::EmptyRasterImage();
  album::DelallPics(Pictures);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A close request that arrives while an album is generated waits for the
  // run: the run still needs the window and the album.
  if (generating_ || !FormCloseQuery()) {
    event->ignore();
    return;
  }
  SaveWindowState();
  event->accept();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  QTimer::singleShot(0, this, [this] { RevealSelectedFolder(); });
}

// Loading a preview reports here; during a run the bar shows the run's own
// progress.
void TMainForm::Progress(int percent) {
  if (!generating_) SetProStatus(percent);
}

void TMainForm::SetProStatus(int percent) { StatusBar1->SetProStatus(percent); }

void TMainForm::wwwBtnClick() { app::ShellOpen(app::HomePageAddress); }

void TMainForm::EndeBtnClick() { close(); }

void TMainForm::ueberbtnClick() {
  app::TAboutBox box(this);
  box.exec();
}

void TMainForm::ConnectHandlers() {
  connect(NewBtn, &QToolButton::clicked, this, &TMainForm::NewBtnClick);
  connect(OpenBtn, &QToolButton::clicked, this, &TMainForm::OpenBtnClick);
  connect(SaveBtn, &QToolButton::clicked, this, &TMainForm::SaveBtnClick);
  connect(SaveAsBtn, &QToolButton::clicked, this, &TMainForm::SaveAsBtnClick);
  connect(wwwBtn, &QToolButton::clicked, this, &TMainForm::wwwBtnClick);
  EndeButton->SetAction([this] { EndeBtnClick(); });
  ueberButton->SetAction([this] { ueberbtnClick(); });
  GoBtn->SetAction([this] { GoBtn1Click(); });
  DibPrevPaint->OnPaint = [this](QPainter& painter) { DibPrevPaintPaint(painter); };
  ConnectSourceHandlers();
  ConnectAlbumHandlers();
  ConnectRunHandlers();
  ConnectShortcuts();
  GuardTypedText();
}

void TMainForm::RestoreWindowState() {
  QSettings settings = app::UserSettings();
  if (!restoreGeometry(settings.value("MainWindow/geometry").toByteArray())) {
    resize(1000, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  for (QSplitter* splitter : {SourceSplitter, PageSplitter, AlbumSplitter})
    splitter->restoreState(settings.value("MainWindow/" + splitter->objectName()).toByteArray());
}

void TMainForm::SaveWindowState() const {
  QSettings settings = app::UserSettings();
  settings.setValue("MainWindow/geometry", saveGeometry());
  for (const QSplitter* splitter : {SourceSplitter, PageSplitter, AlbumSplitter})
    settings.setValue("MainWindow/" + splitter->objectName(), splitter->saveState());
}
