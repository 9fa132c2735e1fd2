#pragma once
// Page "Kommentare": the album's lines with their marks, and the comment of
// the chosen lines with its show check. Text the album cannot hold is taken
// back as it is typed.
#include <QWidget>
#include <string>
#include <vector>

#include "album/CommentEditor.h"

class QAbstractItemModel;
class QCheckBox;
class QPlainTextEdit;

namespace app {

class ListBox;

class CommentPage : public QWidget {
  Q_OBJECT

 public:
  explicit CommentPage(QWidget* parent = nullptr);

  // Shows the album's lines with their marks; ticking one edits the album.
  void SetModel(QAbstractItemModel* lines);
  // After the lines changed: the first one current and the only one marked.
  void GoToFirstLine();
  int CurrentLine() const;
  std::vector<int> SelectedLines() const;
  bool ShowCommentChecked() const;
  // The memo's text as typed, lines separated by CR LF.
  std::string MemoComment() const;
  void ShowControls(const album::CommentControls& controls);
  // During a run the marks stay and the memo is read-only.
  void SetRunning(bool running);

 signals:
  void CurrentLineChanged();
  void ShowCommentToggled();
  // The memo changed to a text the album can hold.
  void MemoChanged();
  // A double click or Enter on a line: view it.
  void LineOpened();
  void CharacterRefused();

 private:
  void ConnectControls();
  void TakeBackUnfitText();

  ListBox* ImageBox;
  QCheckBox* ShowComment;
  QPlainTextEdit* ComMemo;
  QString acceptedMemo_;          // the memo's last text the album can hold
  bool commentEditable_ = false;  // a line is chosen whose comment can be edited
  bool running_ = false;
};

}  // namespace app
