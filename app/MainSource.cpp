// The window's picture source commands: the file-type filter, the file list
// and the favourite folders.
#include "app/AnsiText.h"
#include "app/FolderBrowser.h"
#include "app/MainUnit.h"
#include "app/PreviewPane.h"
#include "app/SourcePage.h"
#include "app/StatusBar.h"
#include "app/logic/Favourites.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"

namespace app {

void TMainForm::ConnectSourceHandlers() {
  connect(&Preview(), &app::PreviewPane::FilterChosen, this, &TMainForm::FilterComboBox1Change);
  connect(&Folders(), &app::FolderBrowser::EntryOpened, this, &TMainForm::JamShellList1DblClick);
  connect(&Folders(), &app::FolderBrowser::FavouriteOpened, this, &TMainForm::PrefListBoxDblClick);
  connect(&Folders(), &app::FolderBrowser::FavouriteRemoved, this, &TMainForm::RemoveFromPrefFolders);
  connect(&Folders(), &app::FolderBrowser::FolderNotFound, this,
          [this](const QString& path) { statusBar_->ShowNote("Den Ordner „" + path + "“ gibt es nicht."); });
}

void TMainForm::FilterComboBox1Change() {
  const std::string mask = app::MaskOfEntry(filters_, Preview().CurrentFilter());
  QStringList patterns;
  for (const std::string& pattern : app::MaskPatterns(mask)) patterns << platform::ToQString(pattern);
  Folders().SetNamePatterns(patterns);
}

std::string TMainForm::SelectedFolder() const { return sourcePage_->Folders().SelectedFolder(); }

void TMainForm::SelectFolder(const std::string& folder) { Folders().SelectFolder(folder); }

std::vector<QString> TMainForm::WithoutUnfitNames(const std::vector<QString>& paths) {
  std::vector<QString> fit, unfit;
  for (const QString& path : paths) (platform::FitsAnsi(path) ? fit : unfit).push_back(path);
  if (!unfit.empty()) messages_.Error(app::UnfitNamesMessage(unfit));
  return fit;
}

void TMainForm::JamShellList1DblClick() {
  if (const std::optional<std::string> file = Folders().EnterCurrentEntry()) openfilenow(*file);
}

void TMainForm::PrefListBoxDblClick() {
  const int index = Folders().CurrentFavourite();
  if (index < 0 || index >= static_cast<int>(favourites_.size())) return;
  SelectFolder(favourites_[static_cast<size_t>(index)]);
}

void TMainForm::AddToPrefFolders(const std::string& folder) {
  app::AddFavourite(favourites_, folder);
  ShowFavourites();
  // A failed write keeps the old file; the list in the window has the change.
  app::SaveFavourites(programFolder_, favourites_);
}

void TMainForm::RemoveFromPrefFolders(int index) {
  if (index < 0 || index >= static_cast<int>(favourites_.size())) return;
  favourites_.erase(favourites_.begin() + index);
  ShowFavourites();
  app::SaveFavourites(programFolder_, favourites_);
}

void TMainForm::LoadFavouritesIntoList() {
  favourites_ = app::LoadFavourites(programFolder_);
  ShowFavourites();
}

void TMainForm::ShowFavourites() { Folders().ShowFavourites(favourites_); }

}  // namespace app
