#pragma once
// The album's lines on page "Bilder hinzufügen" with the buttons that add,
// delete, view and print; files dropped on the list join the album.
#include <QStringList>
#include <QWidget>
#include <vector>

#include "app/RunLock.h"

class QPushButton;

namespace app {

class ListBox;

class AlbumListPane : public QWidget {
  Q_OBJECT

 public:
  explicit AlbumListPane(QWidget* parent = nullptr);

  // Shows `lines` with the first one current; the buttons that need an
  // entry are on only when there is one.
  void ShowLines(const QStringList& lines);
  int CurrentLine() const;
  // Moves only the focus line; the lines marked for "Löschen" stay marked.
  void FocusLine(int line);
  std::vector<int> SelectedLines() const;
  // "&Löschen" is the window's cancel button: clicks it when it can be
  // clicked and says whether it was.
  bool ClickDeleteButton();
  void SetRunning(bool running);

 signals:
  void AddClicked();
  // "Löschen" or the Delete key.
  void DeleteClicked();
  void ViewClicked();
  void PrintClicked();
  // A double click or Enter on a line: preview it.
  void LineOpened();
  void FilesDropped(const std::vector<QString>& paths);

 private:
  ListBox* ImageList;
  QPushButton* AddBtn;
  QPushButton* DelBtn;
  QPushButton* ViewBtn;
  QPushButton* PrintBtn;
  RunLock lock_;
};

}  // namespace app
