// The album file commands of the tool row and the window caption.
#include <QFileInfo>

#include "album/AlbumFile.h"
#include "app/AlbumDocument.h"
#include "app/GeneratePage.h"
#include "app/MainUnit.h"
#include "app/RecentAlbumsStore.h"
#include "app/StartFolder.h"
#include "app/ToolRow.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtText.h"

namespace {

platform::FileDialogOptions AlbumDialog(const std::string& folder, bool save) {
  return platform::FileDialogOptions{folder, "Web Lumivista-Dateien|*.lva", "lva", save};
}

constexpr const char* kLosingChanges = "Hiermit gehen alle nicht gespeicherten Informationen verloren.";

}  // namespace

namespace app {

// The folder of the album in work, else of the album used last, else the
// start folder.
std::string TMainForm::AlbumStartFolder() const {
  if (document_->Path()) return platform::ExtractFilePath(*document_->Path());
  if (const std::string last = recent_.LastFolder(); !last.empty()) return last;
  return app::StartFolder(programFolder_);
}

void TMainForm::OpenBtnClick() {
  if (!messages_.Confirm(kLosingChanges,
                         "Datei/\xD6"
                         "ffnen"))
    return;
  if (const std::optional<std::string> path = dialogs_.OpenFileName(AlbumDialog(AlbumStartFolder(), false)))
    OpenFile(*path);
}

void TMainForm::OpenRecentAlbum(const std::string& path) {
  if (!platform::FileExists(path)) {
    recent_.Remove(path);
    app::SaveRecentAlbums(recent_);
    messages_.MessageBox(
        "Die Datei " + path + " gibt es nicht mehr. Sie wurde aus der Liste der zuletzt benutzten Alben entfernt.",
        "Datei/\xD6"
        "ffnen",
        platform::MessageIcon::Information);
    return;
  }
  if (messages_.Confirm(kLosingChanges,
                        "Datei/\xD6"
                        "ffnen"))
    OpenFile(path);
}

void TMainForm::SaveBtnClick() {
  if (document_->Path())
    SaveFile(*document_->Path());
  else
    SaveAsBtnClick();
}

void TMainForm::SaveAsBtnClick() {
  if (const std::optional<std::string> path = dialogs_.SaveFileName(AlbumDialog(AlbumStartFolder(), true)))
    SaveFile(*path);
}

bool TMainForm::SaveFile(const std::string& path) {
  if (!album::SaveFile(path, document_->Pictures(), document_->Settings(), messages_)) return false;
  document_->SavedAs(path);
  RememberAlbum(path);
  RememberAlbumDesign();
  // A new name keeps the overview folder this album had in this session.
  if (!document_->OutputFolder().empty()) RememberOverviewFolder(document_->OutputFolder());
  return true;
}

bool TMainForm::OpenFile(const std::string& path) {
  const auto load = [&](album::AlbumPictures& pictures, album::AlbumSettings& settings) {
    return album::OpenFile(path, pictures, settings, messages_);
  };
  if (!document_->Load(path, load)) return false;
  generatePage_->ChooseTemplateSet(app::StoredDesign(platform::ToQString(path)));
  RememberAlbum(path);
  document_->SetOutputFolder(recent_.OverviewFolderOf(path));
  return true;
}

void TMainForm::OpenFromCommandLine(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i].startsWith('-')) continue;
    const QString path = QFileInfo(arguments[i]).absoluteFilePath();
    if (!WithoutUnfitNames({path}).empty()) OpenFile(platform::FromQString(path));
    return;
  }
}

void TMainForm::RememberAlbum(const std::string& path) {
  recent_.Add(path);
  app::SaveRecentAlbums(recent_);
}

void TMainForm::RememberAlbumDesign() {
  if (document_->Path())
    app::RememberDesign(platform::ToQString(*document_->Path()), platform::ToQString(generatePage_->TemplateName()));
}

void TMainForm::RememberOverviewFolder(const std::string& folder) {
  document_->SetOutputFolder(folder);
  if (!document_->Path()) return;
  recent_.SetOverviewFolder(*document_->Path(), folder);
  app::SaveRecentAlbums(recent_);
}

void TMainForm::FillRecentMenu() {
  std::vector<std::string> paths;
  for (const app::RecentAlbum& entry : recent_.Entries()) paths.push_back(entry.Path);
  toolRow_->ShowRecentAlbums(paths);
}

void TMainForm::ShowCaption() { setWindowTitle(platform::ToQString(album::AlbumWindowCaption(document_->Path()))); }

}  // namespace app
