// Picture source pane: folder tree, file list, file-type filter and the
// favourite folders.
#include <QComboBox>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

#include "app/AnsiText.h"
#include "app/logic/Favourites.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/qt/QtText.h"

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

void TMainForm::ConnectSourceHandlers() {
  connect(FilterComboBox1, &QComboBox::activated, this, [this] { FilterComboBox1Change(); });
  connect(JamShellTree1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            // The user has moved on: a folder read later must not scroll the
            // tree back to the one chosen before.
            if (current != QModelIndex(revealFolder_)) revealFolder_ = QPersistentModelIndex();
            JamShellList1->setRootIndex(fileModel_->setRootPath(folderModel_->filePath(current)));
            // Marks made in the folder shown before stay in the model; they
            // would be added or previewed under the new folder's path.
            JamShellList1->selectionModel()->clear();
          });
  connect(JamShellList1, &QTreeView::doubleClicked, this, [this] { JamShellList1DblClick(); });
  connect(folderModel_, &QFileSystemModel::directoryLoaded, this,
          [this](const QString& folder) { RevealSelectedFolder(folder); });
  connect(JamShellTree1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { revealFolder_ = QPersistentModelIndex(); });
  JamShellList1->KeyPress = [this](int key) { return JamShellList1KeyPress(key); };
  connect(PrefListBox, &QListWidget::itemDoubleClicked, this, [this] { PrefListBoxDblClick(); });
  PrefListBox->KeyPress = [this](int key) {
    if (IsEnter(key)) PrefListBoxDblClick();
    return false;
  };
}

void TMainForm::FilterComboBox1Change() {
  const std::string mask = app::MaskOfEntry(filters_, FilterComboBox1->currentIndex());
  QStringList patterns;
  for (const std::string& pattern : app::MaskPatterns(mask)) patterns << platform::ToQString(pattern);
  fileModel_->setNameFilters(patterns);
}

std::string TMainForm::SelectedFolder() const {
  const QModelIndex current = JamShellTree1->currentIndex();
  if (!current.isValid()) return {};
  return platform::FromFileSystem(folderModel_->filePath(current).toStdString());
}

void TMainForm::SelectFolder(const std::string& folder) {
  const QModelIndex index = folderModel_->index(QString::fromStdString(platform::ToFileSystem(folder)));
  if (!index.isValid()) return;
  JamShellTree1->setCurrentIndex(index);
  revealFolder_ = index;
  RevealSelectedFolder();
}

// The tree reads folders in the background; the chosen folder is opened
// and scrolled to again whenever one of its parents has been read.
void TMainForm::RevealSelectedFolder(const QString& loadedFolder) {
  if (!revealFolder_.isValid()) return;
  if (!loadedFolder.isEmpty() && !folderModel_->filePath(revealFolder_).startsWith(loadedFolder)) return;
  for (QModelIndex parent = revealFolder_.parent(); parent.isValid(); parent = parent.parent())
    JamShellTree1->expand(parent);
  // The model sorts a folder's rows shortly after reading it; sorting now
  // keeps the scroll position on the chosen folder.
  folderModel_->sort(0, Qt::AscendingOrder);
  JamShellTree1->scrollTo(revealFolder_, QAbstractItemView::PositionAtCenter);
}

// The names of the selected entries of the file list, in the list's order.
std::vector<std::string> TMainForm::SelectedNames() const {
  QModelIndexList rows = JamShellList1->selectionModel()->selectedRows(0);
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<std::string> names;
  for (const QModelIndex& row : rows) names.push_back(platform::FromFileSystem(fileModel_->fileName(row).toStdString()));
  return names;
}

// The marked entries of the file list that are files, in the list's order.
std::vector<QString> TMainForm::SelectedFileNames() const {
  QModelIndexList rows = JamShellList1->selectionModel()->selectedRows(0);
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<QString> names;
  for (const QModelIndex& row : rows)
    if (!fileModel_->isDir(row)) names.push_back(fileModel_->fileName(row));
  return names;
}

std::vector<QString> TMainForm::WithoutUnfitNames(const std::vector<QString>& paths) {
  std::vector<QString> fit, unfit;
  for (const QString& path : paths) (platform::FitsAnsi(path) ? fit : unfit).push_back(path);
  if (!unfit.empty()) messages_.Error(app::UnfitNamesMessage(unfit));
  return fit;
}

void TMainForm::JamShellList1DblClick() {
  const QModelIndex item = JamShellList1->currentIndex();
  if (!item.isValid() || JamShellList1->selectionModel()->selectedRows().isEmpty()) return;
  const QModelIndex name = item.siblingAtColumn(0);
  if (fileModel_->isDir(name)) {
    SelectFolder(platform::FromFileSystem(fileModel_->filePath(name).toStdString()));
    return;
  }
  const std::string folder = SelectedFolder();
  if (folder.empty()) return;
  openfilenow(platform::IncludeTrailingDelimiter(folder) +
              platform::FromFileSystem(fileModel_->fileName(name).toStdString()));
}

bool TMainForm::JamShellList1KeyPress(int key) {
  if (!IsEnter(key) || JamShellList1->IsEditing()) return false;
  JamShellList1DblClick();
  return true;
}

void TMainForm::PrefListBoxDblClick() {
  const int index = PrefListBox->currentRow();
  if (index < 0 || index >= static_cast<int>(favourites_.size())) return;
  SelectFolder(favourites_[static_cast<size_t>(index)]);
}

void TMainForm::AddToPrefFolders(const std::string& folder) {
  app::AddFavourite(favourites_, folder);
  ShowFavourites();
  // A failed write keeps the old file; the list in the window has the change.
  app::SaveFavourites(ProgramFolder, favourites_);
}

void TMainForm::LoadFavouritesIntoList() {
  favourites_ = app::LoadFavourites(ProgramFolder);
  ShowFavourites();
}

void TMainForm::ShowFavourites() {
  PrefListBox->clear();
  for (const std::string& item : favourites_) PrefListBox->addItem(platform::ToQString(item));
}
