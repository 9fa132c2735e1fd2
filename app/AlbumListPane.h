#pragma once
// The album's lines on page "Bilder hinzufügen" with the buttons that add,
// delete, view and print; files dropped on the list join the album.
#include <QWidget>
#include <vector>

class QAbstractItemModel;
class QAction;
class QPushButton;

namespace app {

class ListBox;

class AlbumListPane : public QWidget {
  Q_OBJECT

 public:
  explicit AlbumListPane(QWidget* parent = nullptr);

  // Shows the album's lines.
  void SetModel(QAbstractItemModel* lines);
  // After the lines changed: the first one current and the only one
  // marked; view and print are on only when there is an entry.
  void GoToFirstLine();
  int CurrentLine() const;
  // Moves only the focus line; the lines marked for "Löschen" stay marked.
  void FocusLine(int line);
  std::vector<int> SelectedLines() const;
  // "&Löschen" and the Delete key on the list trigger `action`.
  void UseDeleteAction(QAction* action);
  // During a run nothing joins the album, neither by button nor by drop.
  void SetRunning(bool running);

 signals:
  void AddClicked();
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
};

}  // namespace app
