// The album file commands of the tool row and the window caption.
#include "album/AlbumFile.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

#include "app/ColorBox.h"
#include "app/MainUnit.h"
#include "app/UserSettings.h"
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

// The folder of the album in work, else of the album used last, else the
// program's folder.
std::string TMainForm::AlbumStartFolder() const {
  if (SavedFileName) return platform::ExtractFilePath(*SavedFileName);
  if (const std::string last = recent_.LastFolder(); !last.empty()) return last;
  return ProgramFolder;
}

void TMainForm::OpenBtnClick() {
  if (generating_ || !messages_.Confirm(kLosingChanges, "Datei/\xD6" "ffnen")) return;
  if (const std::optional<std::string> path = dialogs_.OpenFileName(AlbumDialog(AlbumStartFolder(), false)))
    OpenFile(*path);
}

void TMainForm::OpenRecentAlbum(const std::string& path) {
  if (generating_) return;
  if (!platform::FileExists(path)) {
    recent_.Remove(path);
    app::SaveRecentAlbums(recent_);
    messages_.MessageBox("Die Datei " + path +
                             " gibt es nicht mehr. Sie wurde aus der Liste der zuletzt benutzten Alben entfernt.",
                         "Datei/\xD6" "ffnen", platform::MessageIcon::Information);
    return;
  }
  if (messages_.Confirm(kLosingChanges, "Datei/\xD6" "ffnen")) OpenFile(path);
}

void TMainForm::SaveBtnClick() {
  if (generating_) return;
  if (SavedFileName) SaveFile(*SavedFileName);
  else SaveAsBtnClick();
}

void TMainForm::SaveAsBtnClick() {
  if (generating_) return;
  if (const std::optional<std::string> path = dialogs_.SaveFileName(AlbumDialog(AlbumStartFolder(), true)))
    SaveFile(*path);
}

bool TMainForm::SaveFile(const std::string& path) {
  if (generating_ || !album::SaveFile(path, Pictures, CurrentSettings(), messages_)) return false;
  Setsavedfilename(path);
  RememberAlbum(path);
  // A new name keeps the overview folder this album had in this session.
  if (!overviewFolder_.empty()) RememberOverviewFolder(overviewFolder_);
  return true;
}

bool TMainForm::OpenFile(const std::string& path) {
  if (generating_) return false;
  album::AlbumSettings settings = CurrentSettings();
  if (!album::OpenFile(path, Pictures, settings, messages_)) return false;
  ApplyStoredSettings(settings);
  Setsavedfilename(path);
  UpdateListBox();
  RememberAlbum(path);
  overviewFolder_ = recent_.OverviewFolderOf(path);
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

void TMainForm::RememberOverviewFolder(const std::string& folder) {
  overviewFolder_ = folder;
  if (!SavedFileName) return;
  recent_.SetOverviewFolder(*SavedFileName, folder);
  app::SaveRecentAlbums(recent_);
}

void TMainForm::FillRecentMenu() {
  RecentMenu->clear();
  for (const app::RecentAlbum& entry : recent_.Entries()) {
    const std::string path = entry.Path;
    RecentMenu->addAction(platform::ToQString(path), this, [this, path] { OpenRecentAlbum(path); });
  }
  if (recent_.Entries().empty()) RecentMenu->addAction("(keine zuletzt benutzten Alben)")->setEnabled(false);
}

void TMainForm::Setsavedfilename(const std::optional<std::string>& path) {
  SavedFileName = path;
  setWindowTitle(platform::ToQString(album::AlbumWindowCaption(path)));
}

album::AlbumSettings TMainForm::CurrentSettings() const {
  album::AlbumSettings settings;
  settings.Caption = platform::FromQString(CaptionED->text());
  settings.FreeText = platform::FromQString(FreeText->text());
  settings.PicturesPerRow = AnzEd->value();
  settings.Border = BorderEd->value();
  settings.ThumbWidth = BreitEd->value();
  settings.ThumbHeight = HochEd->value();
  settings.BackgroundColour = BKColorBox->ColorValue();
  settings.BackgroundColour2 = BKColorBox2->ColorValue();
  settings.Backlink = backlink->isChecked();
  settings.DetailCaption = platform::FromQString(Caption2ED->text());
  settings.DetailBorder = Border2ED->value();
  return settings;
}

// The spin edits bring stored values outside their ranges to the nearest
// bound; the backlink check is not part of the album file.
void TMainForm::ApplyStoredSettings(const album::AlbumSettings& settings) {
  BKColorBox->SetColorValue(settings.BackgroundColour);
  BreitEd->setValue(settings.ThumbWidth);
  HochEd->setValue(settings.ThumbHeight);
  AnzEd->setValue(settings.PicturesPerRow);
  BorderEd->setValue(settings.Border);
  Border2ED->setValue(settings.DetailBorder);
  CaptionED->setText(platform::ToQString(settings.Caption));
  FreeText->setText(platform::ToQString(settings.FreeText));
  Caption2ED->setText(platform::ToQString(settings.DetailCaption));
  BKColorBox2->SetColorValue(settings.BackgroundColour2);
}
