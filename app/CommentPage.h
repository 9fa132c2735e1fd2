#pragma once
// Page "Kommentare": the album's lines with their marks, and the comment of
// the chosen lines with its show check. Text the album cannot hold is taken
// back as it is typed.
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "album/CommentEditor.h"

class QCheckBox;
class QPlainTextEdit;

namespace app {

class ListBox;

class CommentPage : public QWidget {
  Q_OBJECT

 public:
  explicit CommentPage(QWidget* parent = nullptr);

  // Shows `lines` checked as `marks` says, the first one current.
  void ShowLines(const QStringList& lines, const std::vector<bool>& marks);
  int CurrentLine() const;
  void SetCurrentLine(int line);
  std::vector<int> SelectedLines() const;
  std::vector<bool> Marks() const;
  bool ShowCommentChecked() const;
  // The memo's text as typed, lines separated by CR LF.
  std::string MemoComment() const;
  void ShowControls(const album::CommentControls& controls);
  // During a run the marks stay and the memo is read-only.
  void SetRunning(bool running);

 signals:
  void CurrentLineChanged();
  void MarksChanged();
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
  QString acceptedMemo_;  // the memo's last text the album can hold
  bool refilling_ = false;
  bool commentEditable_ = false;  // a line is chosen whose comment can be edited
  bool running_ = false;
};

}  // namespace app
