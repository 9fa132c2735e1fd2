// The window's album commands: the picture list on "Bilder hinzufügen", the
// order on "Sortieren" and the comments on "Kommentare".
#include <QDir>
#include <QFileInfo>

#include "album/AlbumList.h"
#include "app/AlbumDocument.h"
#include "app/AlbumListPane.h"
#include "app/CommentPage.h"
#include "app/FolderBrowser.h"
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
  connect(commentPage_, &app::CommentPage::MarksChanged, this, &TMainForm::ImageBoxClickCheck);
  connect(commentPage_, &app::CommentPage::ShowCommentToggled, this, &TMainForm::ShowCommentClick);
  connect(commentPage_, &app::CommentPage::MemoChanged, this, &TMainForm::ComMemoChange);
}

void TMainForm::UpdateListBox() {
  QStringList lines;
  std::vector<bool> marks;
  for (const album::AlbumPicture& picture : document_->Pictures()) {
    lines << platform::ToQString(LineText(picture));
    marks.push_back(picture.Marked != 0);
  }
  AlbumList().ShowLines(lines);
  commentPage_->ShowLines(lines, marks);
  sortPage_->ShowLines(lines);
  actions_->SetHasLines(!lines.isEmpty());
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

void TMainForm::ImageBoxClickCheck() {
  document_->EditEntries([this](album::AlbumPictures& pictures) { album::SetMarks(pictures, commentPage_->Marks()); });
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
  std::optional<int> line;
  document_->EditLines([&](album::AlbumPictures& pictures) {
    line = move(pictures, sortPage_->CurrentLine());
    return line.has_value();
  });
  if (line) sortPage_->SetCurrentLine(*line);
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
