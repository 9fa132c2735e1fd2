// Album pages: the picture list on "Bilder hinzufügen", the order on
// "Sortieren" and the comments on "Kommentare".
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>

#include "album/AlbumList.h"
#include "app/AnsiText.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/qt/QtText.h"

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

std::vector<int> SelectedLines(const QListWidget* list) {
  std::vector<int> lines;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) lines.push_back(i);
  return lines;
}

// The memo shows line breaks as Qt does; the album stores CR LF.
QString MemoText(const std::string& comment) {
  QString text = platform::ToQString(comment);
  return text.replace("\r\n", "\n");
}

// The memo's text as typed. toPlainText() would turn a no-break space into
// a plain one and change the comment behind the user's back.
std::string MemoComment(const QPlainTextEdit* memo) {
  return platform::FromQString(app::WithPlainLineBreaks(memo->document()->toRawText()));
}

std::vector<std::string> AnsiPaths(const std::vector<QString>& paths) {
  std::vector<std::string> ansi;
  for (const QString& path : paths) ansi.push_back(platform::FromQString(path));
  return ansi;
}

}  // namespace

void TMainForm::ConnectAlbumHandlers() {
  connect(AddBtn, &QPushButton::clicked, this, &TMainForm::AddBtnClick);
  connect(DelBtn, &QPushButton::clicked, this, &TMainForm::DelBtnClick);
  connect(ViewBtn, &QPushButton::clicked, this, &TMainForm::ViewBtnClick);
  connect(PrintBtn, &QPushButton::clicked, this, &TMainForm::PrintBtnClick);
  connect(ImageList, &QListWidget::itemDoubleClicked, this, [this] { ImageListDblClick(); });
  connect(UpNow, &QPushButton::clicked, this, &TMainForm::UpNowClick);
  connect(DownNow, &QPushButton::clicked, this, &TMainForm::DownNowClick);
  connect(SortBox, &QListWidget::itemDoubleClicked, this, [this] { SortBoxDblClick(); });
  connect(ImageBox, &QListWidget::itemDoubleClicked, this, [this] { ImageBoxDblClick(); });
  connect(ImageBox, &QListWidget::currentRowChanged, this, [this] { ChangeImageBox(); });
  connect(ImageBox, &QListWidget::itemClicked, this, [this] { ChangeImageBox(); });
  connect(ImageBox, &QListWidget::itemChanged, this, [this] {
    if (!refilling_) ImageBoxClickCheck();
  });
  connect(ShowComment, &QCheckBox::toggled, this, [this] { ShowCommentClick(); });
  // Text the album cannot hold is taken back at once (GuardTypedText).
  connect(ComMemo, &QPlainTextEdit::textChanged, this, [this] {
    if (platform::FitsAnsi(app::WithPlainLineBreaks(ComMemo->document()->toRawText()))) ComMemoChange();
  });
  ImageList->AcceptFiles([this](const std::vector<QString>& dropped) {
    AddDroppedFiles(AnsiPaths(WithoutUnfitNames(dropped)));
  });
  ImageList->KeyPress = [this](int key) {
    if (IsEnter(key)) ImageListDblClick();
    if (key == Qt::Key_Delete) DelBtnClick();
    return IsEnter(key) || key == Qt::Key_Delete;
  };
  SortBox->KeyPress = [this](int key) {
    if (IsEnter(key)) SortBoxDblClick();
    return IsEnter(key);
  };
  // The list has not moved yet; the selection change that follows shows the
  // new line.
  ImageBox->KeyPress = [this](int key) {
    if (IsEnter(key)) ImageBoxDblClick();
    else ChangeImageBox();
    return IsEnter(key);
  };
}

// "&Löschen" is the window's cancel button: an Escape that no control used
// clicks it while it can take the focus. An in-place rename or an open
// drop-down keeps its Escape.
void TMainForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && DelBtn->isEnabled() && DelBtn->isVisible()) {
    DelBtn->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TMainForm::UpdateListBox() {
  refilling_ = true;
  ImageList->clear();
  ImageBox->clear();
  SortBox->clear();
  for (const album::AlbumPicture& picture : Pictures) {
    const QString line = platform::ToQString(LineText(picture));
    ImageList->addItem(line);
    auto* checkLine = new QListWidgetItem(line, ImageBox);
    checkLine->setFlags(checkLine->flags() | Qt::ItemIsUserCheckable);
    checkLine->setCheckState(picture.Marked ? Qt::Checked : Qt::Unchecked);
    SortBox->addItem(line);
  }
  const bool any = !Pictures.empty();
  for (QPushButton* button : {ViewBtn, PrintBtn, DelBtn}) button->setEnabled(any);
  if (any) {
    ImageList->setCurrentRow(0);
    ImageBox->setCurrentRow(0);
    SortBox->setCurrentRow(0);
  }
  refilling_ = false;
  ChangeImageBox();
}

// Folders among the marked entries are left out: they are no pictures.
void TMainForm::AddBtnClick() {
  if (generating_) return;
  std::vector<QString> paths;
  const QString folder = platform::ToQString(SelectedFolder());
  for (const QString& name : SelectedFileNames()) paths.push_back(QDir(folder).filePath(name));
  std::vector<std::string> names;
  for (const QString& path : WithoutUnfitNames(paths)) names.push_back(platform::FromQString(QFileInfo(path).fileName()));
  album::AddSelectedNames(Pictures, SelectedFolder(), names,
                          [this](const std::string& folder) { AddToPrefFolders(folder); });
  UpdateListBox();
}

void TMainForm::AddDroppedFiles(const std::vector<std::string>& paths) {
  if (generating_) return;
  for (const std::string& path : paths) {
    if (platform::DirectoryExists(path)) continue;
    album::AddSelectedNames(Pictures, platform::ExtractFilePath(path), {platform::ExtractFileName(path)},
                            [this](const std::string& folder) { AddToPrefFolders(folder); });
  }
  UpdateListBox();
}

void TMainForm::DelBtnClick() {
  if (generating_) return;
  album::RemoveSelected(Pictures, SelectedLines(ImageList));
  UpdateListBox();
}

void TMainForm::ImageListDblClick() { LoadPreview(ImageList->currentRow()); }

void TMainForm::LoadPreview(int index) {
  if (album::NamesEntry(Pictures, index)) openfilenow(Pictures[static_cast<size_t>(index)].FileName);
}

void TMainForm::NewBtnClick() {
  if (generating_) return;
  if (!messages_.Confirm("Hiermit gehen alle nicht gespeicherten Informationen verloren.", "Datei/Neu")) return;
  album::DelallPics(Pictures);
  UpdateListBox();
  Setsavedfilename(std::nullopt);
  overviewFolder_.clear();
}

void TMainForm::ChangeImageBox() {
  comments_.ChangeImageBox(Pictures, ImageBox->currentRow(), [this](const album::CommentControls& controls) {
    ShowComment->setEnabled(controls.Enabled);
    ComMemo->setEnabled(controls.Enabled);
    if (controls.ShowComment) ShowComment->setChecked(*controls.ShowComment);
    ComMemo->setPlainText(MemoText(controls.MemoText));
  });
}

void TMainForm::ImageBoxClickCheck() {
  if (generating_) return;
  std::vector<bool> marks;
  for (int i = 0; i < ImageBox->count(); ++i) marks.push_back(ImageBox->item(i)->checkState() == Qt::Checked);
  album::SetMarks(Pictures, marks);
}

void TMainForm::ShowCommentClick() {
  if (generating_) return;
  comments_.ShowCommentClick(Pictures, SelectedLines(ImageBox), ShowComment->isChecked());
}

void TMainForm::ComMemoChange() {
  if (generating_) return;
  comments_.ComMemoChange(Pictures, SelectedLines(ImageBox), MemoComment(ComMemo));
}

void TMainForm::UpNowClick() {
  if (generating_) return;
  if (const std::optional<int> line = album::UpNow(Pictures, SortBox->currentRow())) {
    UpdateListBox();
    SortBox->setCurrentRow(*line);
  }
}

void TMainForm::DownNowClick() {
  if (generating_) return;
  if (const std::optional<int> line = album::DownNow(Pictures, SortBox->currentRow())) {
    UpdateListBox();
    SortBox->setCurrentRow(*line);
  }
}

void TMainForm::SortBoxDblClick() {
  const int index = SortBox->currentRow();
  if (!album::NamesEntry(Pictures, index)) return;
  FocusImageListLine(index);
  OpenViewerOrPrint(index, false);
}

void TMainForm::ImageBoxDblClick() {
  const int index = ImageBox->currentRow();
  if (!album::NamesEntry(Pictures, index)) return;
  FocusImageListLine(index);
  OpenViewerOrPrint(index, false);
}

// Moves only the focus line, so the list shows the entry viewed; the lines
// marked for "Löschen" stay marked.
void TMainForm::FocusImageListLine(int index) {
  ImageList->setCurrentRow(index, QItemSelectionModel::NoUpdate);
}
