#include "app/FolderBrowser.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStringListModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/FileListModel.h"
#include "app/ListBox.h"
#include "app/MainLayoutHelpers.h"
#include "app/ShellListView.h"
#include "platform/Paths.h"
#include "platform/qt/QtText.h"

namespace app {
namespace {

constexpr int kFavouriteLinesShown = 5;

QModelIndexList RowsInListOrder(const QTreeView* list) {
  QModelIndexList rows = list->selectionModel()->selectedRows(0);
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  return rows;
}

}  // namespace

FolderBrowser::FolderBrowser(QWidget* parent) : QWidget(parent) {
  BuildModels();
  JamShellTree1 = new QTreeView;
  JamShellTree1->setObjectName("JamShellTree1");
  JamShellTree1->setModel(folderModel_);
  JamShellTree1->setHeaderHidden(true);
  for (int column = 1; column < folderModel_->columnCount(); ++column) JamShellTree1->hideColumn(column);
  JamShellList1 = new ShellListView;
  JamShellList1->setObjectName("JamShellList1");
  JamShellList1->setModel(fileModel_);
  JamShellList1->header()->setSectionResizeMode(0, QHeaderView::Stretch);

  SourceSplitter = new QSplitter(Qt::Horizontal);
  SourceSplitter->setObjectName("SourceSplitter");
  SourceSplitter->addWidget(JamShellTree1);
  SourceSplitter->addWidget(JamShellList1);
  SourceSplitter->setStretchFactor(1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildFavouritesRow());
  layout->addWidget(BuildPathRow());
  layout->addWidget(SourceSplitter, 1);
  ConnectControls();
}

QWidget* FolderBrowser::BuildFavouritesRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(4, 4, 4, 0);
  auto* label = new QLabel("Lieblings Ordner:", row);
  PrefListBox = new ListBox(row);
  PrefListBox->setObjectName("PrefListBox");
  favouriteLines_ = new QStringListModel(PrefListBox);
  PrefListBox->setModel(favouriteLines_);
  PrefListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PrefListBox->setUniformItemSizes(true);
  const int line = PrefListBox->fontMetrics().height() + 2;
  PrefListBox->setFixedHeight(kFavouriteLinesShown * line + 2 * PrefListBox->frameWidth() + 4);
  auto* remove = new QAction("Aus den Lieblings Ordnern entfernen", PrefListBox);
  remove->setShortcut(QKeySequence::Delete);
  remove->setShortcutContext(Qt::WidgetShortcut);
  connect(remove, &QAction::triggered, this, [this] {
    if (PrefListBox->CurrentLine() >= 0) emit FavouriteRemoved(PrefListBox->CurrentLine());
  });
  PrefListBox->addAction(remove);
  PrefListBox->setContextMenuPolicy(Qt::ActionsContextMenu);
  label->setBuddy(PrefListBox);
  layout->addWidget(label, 0, Qt::AlignTop);
  layout->addWidget(PrefListBox, 1);
  return row;
}

QWidget* FolderBrowser::BuildPathRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(4, 4, 4, 0);
  PathEdit = new QLineEdit(row);
  PathEdit->setObjectName("PathEdit");
  PathEdit->setPlaceholderText("Pfad eingeben oder einfügen (Strg+L), dann Eingabetaste");
  PathEdit->setClearButtonEnabled(true);
  auto* label = new QLabel("&Gehe zu:", row);
  label->setBuddy(PathEdit);
  layout->addWidget(label);
  layout->addWidget(PathEdit, 1);
  connect(PathEdit, &QLineEdit::returnPressed, this, &FolderBrowser::GoToTypedPath);
  return row;
}

// A typed path may start with "~" and may name a file; its folder is shown.
void FolderBrowser::GoToTypedPath() {
  QString path = PathEdit->text().trimmed();
  if (path == "~" || path.startsWith("~/")) path = QDir::homePath() + path.mid(1);
  const QFileInfo entry(QDir::cleanPath(path));
  const QString folder = entry.isDir() ? entry.absoluteFilePath() : entry.absolutePath();
  if (path.isEmpty() || !entry.exists() || !entry.isAbsolute()) {
    emit FolderNotFound(PathEdit->text());
    return;
  }
  SelectFolder(platform::FromFileSystem(folder.toStdString()));
  JamShellTree1->setFocus();
}

void FolderBrowser::EditPath() {
  PathEdit->setFocus(Qt::ShortcutFocusReason);
  PathEdit->selectAll();
}

void FolderBrowser::BuildModels() {
  folderModel_ = new QFileSystemModel(this);
  folderModel_->setFilter(QDir::AllDirs | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
  folderModel_->setRootPath(QDir::rootPath());
  fileModel_ = new FileListModel(this);
  fileModel_->setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
  fileModel_->setNameFilterDisables(false);
  fileModel_->setNameFilters({"*"});
  fileModel_->setReadOnly(false);
}

void FolderBrowser::ConnectControls() {
  connect(JamShellTree1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &FolderBrowser::ShowFolderOfTree);
  connect(JamShellList1, &QTreeView::doubleClicked, this, &FolderBrowser::EntryOpened);
  connect(folderModel_, &QFileSystemModel::directoryLoaded, this,
          [this](const QString& folder) { RevealSelectedFolder(folder); });
  connect(JamShellTree1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { revealFolder_ = QPersistentModelIndex(); });
  JamShellList1->KeyPress = [this](int key) { return ListKeyPress(key); };
  connect(PrefListBox, &QAbstractItemView::doubleClicked, this, &FolderBrowser::FavouriteOpened);
  PrefListBox->KeyPress = [this](int key) {
    if (IsEnter(key)) emit FavouriteOpened();
    return false;
  };
}

void FolderBrowser::ShowFolderOfTree(const QModelIndex& current) {
  // The user has moved on: a folder read later must not scroll the tree
  // back to the one chosen before.
  if (current != QModelIndex(revealFolder_)) revealFolder_ = QPersistentModelIndex();
  JamShellList1->setRootIndex(fileModel_->setRootPath(folderModel_->filePath(current)));
  PathEdit->setText(QDir::toNativeSeparators(folderModel_->filePath(current)));
  // Marks made in the folder shown before stay in the model; they would be
  // added or previewed under the new folder's path.
  JamShellList1->selectionModel()->clear();
}

std::string FolderBrowser::SelectedFolder() const {
  const QModelIndex current = JamShellTree1->currentIndex();
  if (!current.isValid()) return {};
  return platform::FromFileSystem(folderModel_->filePath(current).toStdString());
}

void FolderBrowser::SelectFolder(const std::string& folder) {
  const QModelIndex index = folderModel_->index(QString::fromStdString(platform::ToFileSystem(folder)));
  if (!index.isValid()) return;
  JamShellTree1->setCurrentIndex(index);
  revealFolder_ = index;
  RevealSelectedFolder();
}

// The tree reads folders in the background, so this runs again whenever
// one of the chosen folder's parents has been read.
void FolderBrowser::RevealSelectedFolder(const QString& loadedFolder) {
  if (!revealFolder_.isValid()) return;
  if (!loadedFolder.isEmpty() && !folderModel_->filePath(revealFolder_).startsWith(loadedFolder)) return;
  for (QModelIndex parent = revealFolder_.parent(); parent.isValid(); parent = parent.parent())
    JamShellTree1->expand(parent);
  // The model sorts a folder's rows shortly after reading it; sorting now
  // keeps the scroll position on the chosen folder.
  folderModel_->sort(0, Qt::AscendingOrder);
  JamShellTree1->scrollTo(revealFolder_, QAbstractItemView::PositionAtCenter);
}

std::vector<QString> FolderBrowser::SelectedFileNames() const {
  std::vector<QString> names;
  for (const QModelIndex& row : RowsInListOrder(JamShellList1))
    if (!fileModel_->isDir(row)) names.push_back(fileModel_->fileName(row));
  return names;
}

std::optional<std::string> FolderBrowser::EnterCurrentEntry() {
  const QModelIndex item = JamShellList1->currentIndex();
  if (!item.isValid() || JamShellList1->selectionModel()->selectedRows().isEmpty()) return std::nullopt;
  const QModelIndex name = item.siblingAtColumn(0);
  if (fileModel_->isDir(name)) {
    SelectFolder(platform::FromFileSystem(fileModel_->filePath(name).toStdString()));
    return std::nullopt;
  }
  const std::string folder = SelectedFolder();
  if (folder.empty()) return std::nullopt;
  return platform::IncludeTrailingDelimiter(folder) +
         platform::FromFileSystem(fileModel_->fileName(name).toStdString());
}

bool FolderBrowser::ListKeyPress(int key) {
  if (!IsEnter(key) || JamShellList1->IsEditing()) return false;
  emit EntryOpened();
  return true;
}

void FolderBrowser::SetNamePatterns(const QStringList& patterns) { fileModel_->setNameFilters(patterns); }

void FolderBrowser::ShowFavourites(const std::vector<std::string>& folders) {
  // After a removal the next line is marked, so Delete can go on.
  const int row = PrefListBox->CurrentLine();
  QStringList lines;
  for (const std::string& folder : folders) lines << platform::ToQString(folder);
  favouriteLines_->setStringList(lines);
  if (row >= 0) PrefListBox->SetCurrentLine(std::min(row, PrefListBox->LineCount() - 1));
}

int FolderBrowser::CurrentFavourite() const { return PrefListBox->CurrentLine(); }

void FolderBrowser::SaveLayout(QSettings& settings) const { SaveSplitter(settings, SourceSplitter); }

void FolderBrowser::RestoreLayout(const QSettings& settings) { RestoreSplitter(settings, SourceSplitter); }

}  // namespace app
