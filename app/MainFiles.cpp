// The album file commands of the tool row and the window caption.
#include "album/AlbumFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

#include "app/ColorBox.h"
#include "app/MainUnit.h"
#include "platform/Messages.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtText.h"

namespace {

platform::FileDialogOptions AlbumDialog(const std::string& folder, bool save) {
  return platform::FileDialogOptions{folder, "Web Lumivista-Dateien|*.lva", "lva", save};
}

constexpr const char* kLosingChanges = "Hiermit gehen alle nicht gespeicherten Informationen verloren.";

}  // namespace

void TMainForm::OpenBtnClick() {
  if (!messages_.Confirm(kLosingChanges, "Datei/\xD6" "ffnen")) return;
  if (const std::optional<std::string> path = dialogs_.OpenFileName(AlbumDialog(ProgramFolder, false))) OpenFile(*path);
}

void TMainForm::SaveBtnClick() {
  if (SavedFileName) SaveFile(*SavedFileName);
  else SaveAsBtnClick();
}

void TMainForm::SaveAsBtnClick() {
  if (const std::optional<std::string> path = dialogs_.SaveFileName(AlbumDialog(ProgramFolder, true))) SaveFile(*path);
}

bool TMainForm::SaveFile(const std::string& path) {
  if (!::SaveFile(path, Pictures, CurrentSettings(), messages_)) return false;
  Setsavedfilename(path);
  return true;
}

bool TMainForm::OpenFile(const std::string& path) {
  AlbumSettings settings = CurrentSettings();
  if (!::OpenFile(path, Pictures, settings, messages_)) return false;
  ApplyStoredSettings(settings);
  Setsavedfilename(path);
  UpdateListBox();
  return true;
}

void TMainForm::Setsavedfilename(const std::optional<std::string>& path) {
  SavedFileName = path;
  setWindowTitle(platform::ToQString(AlbumWindowCaption(path)));
}

AlbumSettings TMainForm::CurrentSettings() const {
  AlbumSettings settings;
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
void TMainForm::ApplyStoredSettings(const AlbumSettings& settings) {
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
