// The window's album commands: the picture list on "Bilder hinzufügen", the
// order on "Sortieren" and the comments on "Kommentare".
#include <QDir>
#include <QFileInfo>

#include "album/AlbumList.h"
#include "app/AlbumDocument.h"
#include "app/AlbumListModel.h"
#include "app/AlbumListPane.h"
#include "app/CommentPage.h"
#include "app/FolderBrowser.h"
#include "app/GeneratePage.h"
#include "app/MainUnit.h"
#include "app/SortPage.h"
#include "app/WindowActions.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/qt/QtText.h"

namespace {

std::vector<std::string> AnsiPaths(const std::vector<QString>& paths) {
  std::vector<std::string> ansi;
  for (const QString& path : paths) ansi.push_back(platform::FromQString(path));
  return ansi;
}

}  // namespace

namespace app {

void TMainForm::ConnectAlbumHandlers() {
  app::AlbumListPane& list = AlbumList();
  connect(&list, &app::AlbumListPane::AddClicked, this, &TMainForm::AddBtnClick);
  connect(&list, &app::AlbumListPane::ViewClicked, this, &TMainForm::ViewBtnClick);
  connect(&list, &app::AlbumListPane::PrintClicked, this, &TMainForm::PrintBtnClick);
  connect(&list, &app::AlbumListPane::LineOpened, this, &TMainForm::ImageListDblClick);
  connect(&list, &app::AlbumListPane::FilesDropped, this,
          [this](const std::vector<QString>& dropped) { AddDroppedFiles(AnsiPaths(WithoutUnfitNames(dropped))); });
  connect(sortPage_, &app::SortPage::UpClicked, this, &TMainForm::UpNowClick);
  connect(sortPage_, &app::SortPage::DownClicked, this, &TMainForm::DownNowClick);
  connect(sortPage_, &app::SortPage::LineOpened, this, &TMainForm::SortBoxDblClick);
  connect(commentPage_, &app::CommentPage::LineOpened, this, &TMainForm::ImageBoxDblClick);
  connect(commentPage_, &app::CommentPage::CurrentLineChanged, this, &TMainForm::ChangeImageBox);
  connect(commentPage_, &app::CommentPage::ShowCommentToggled, this, &TMainForm::ShowCommentClick);
  connect(commentPage_, &app::CommentPage::MemoChanged, this, &TMainForm::ComMemoChange);
}

// Three views of one list: the comment page ticks marks, the other two show
// the lines only. The settings page shows the document's settings and
// edits them there.
void TMainForm::ConnectAlbumViews() {
  auto* unmarked = new app::UnmarkedLines(lines_, this);
  AlbumList().SetModel(unmarked);
  sortPage_->SetModel(unmarked);
  commentPage_->SetModel(lines_);
  connect(document_, &app::AlbumDocument::LinesReplaced, this, &TMainForm::UpdateListBox);
  connect(document_, &app::AlbumDocument::LineMoved, this, &TMainForm::RestartAlbumLists);
  generatePage_->ShowSettings(document_->Settings());
  connect(document_, &app::AlbumDocument::SettingsChanged, this,
          [this] { generatePage_->ShowSettings(document_->Settings()); });
  connect(generatePage_, &app::GeneratePage::SettingsEdited, document_, &app::AlbumDocument::SetSettings);
}

void TMainForm::UpdateListBox() {
  sortPage_->GoToFirstLine();
  RestartAlbumLists();
}

void TMainForm::RestartAlbumLists() {
  AlbumList().GoToFirstLine();
  commentPage_->GoToFirstLine();
  actions_->SetHasLines(!document_->Pictures().empty());
  ChangeImageBox();
}

// Folders among the marked entries are left out: they are no pictures.
void TMainForm::AddBtnClick() {
  std::vector<QString> paths;
  const QString folder = platform::ToQString(SelectedFolder());
  for (const QString& name : Folders().SelectedFileNames()) paths.push_back(QDir(folder).filePath(name));
  std::vector<std::string> names;
  for (const QString& path : WithoutUnfitNames(paths))
    names.push_back(platform::FromQString(QFileInfo(path).fileName()));
  document_->EditLines([&](album::AlbumPictures& pictures) {
    album::AddSelectedNames(pictures, SelectedFolder(), names,
                            [this](const std::string& folder) { AddToPrefFolders(folder); });
    return true;
  });
}

void TMainForm::AddDroppedFiles(const std::vector<std::string>& paths) {
  document_->EditLines([&](album::AlbumPictures& pictures) {
    for (const std::string& path : paths) {
      if (platform::DirectoryExists(path)) continue;
      album::AddSelectedNames(pictures, platform::ExtractFilePath(path), {platform::ExtractFileName(path)},
                              [this](const std::string& folder) { AddToPrefFolders(folder); });
    }
    return true;
  });
}

void TMainForm::DelBtnClick() {
  document_->EditLines([this](album::AlbumPictures& pictures) {
    album::RemoveSelected(pictures, AlbumList().SelectedLines());
    return true;
  });
}

void TMainForm::ImageListDblClick() { LoadPreview(AlbumList().CurrentLine()); }

void TMainForm::LoadPreview(int index) {
  const album::AlbumPictures& pictures = document_->Pictures();
  if (album::NamesEntry(pictures, index)) openfilenow(pictures[static_cast<size_t>(index)].FileName);
}

void TMainForm::NewBtnClick() {
  if (!messages_.Confirm("Hiermit gehen alle nicht gespeicherten Informationen verloren.", "Datei/Neu")) return;
  document_->Clear();
}

void TMainForm::ChangeImageBox() {
  comments_.ChangeImageBox(document_->Pictures(), commentPage_->CurrentLine(),
                           [this](const album::CommentControls& controls) { commentPage_->ShowControls(controls); });
}

void TMainForm::ShowCommentClick() {
  document_->EditEntries([this](album::AlbumPictures& pictures) {
    comments_.ShowCommentClick(pictures, commentPage_->SelectedLines(), commentPage_->ShowCommentChecked());
  });
}

void TMainForm::ComMemoChange() {
  document_->EditEntries([this](album::AlbumPictures& pictures) {
    comments_.ComMemoChange(pictures, commentPage_->SelectedLines(), commentPage_->MemoComment());
  });
}

void TMainForm::UpNowClick() { MoveSortLine(album::UpNow); }

void TMainForm::DownNowClick() { MoveSortLine(album::DownNow); }

void TMainForm::MoveSortLine(std::optional<int> (*move)(album::AlbumPictures&, int)) {
  if (const std::optional<int> line = document_->MoveLine(sortPage_->CurrentLine(), move))
    sortPage_->SetCurrentLine(*line);
}

void TMainForm::SortBoxDblClick() {
  const int index = sortPage_->CurrentLine();
  if (!album::NamesEntry(document_->Pictures(), index)) return;
  FocusImageListLine(index);
  OpenViewerOrPrint(index, false);
}

void TMainForm::ImageBoxDblClick() {
  const int index = commentPage_->CurrentLine();
  if (!album::NamesEntry(document_->Pictures(), index)) return;
  FocusImageListLine(index);
  OpenViewerOrPrint(index, false);
}

// The album list shows the entry viewed.
void TMainForm::FocusImageListLine(int index) { AlbumList().FocusLine(index); }

}  // namespace app
