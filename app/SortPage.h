#pragma once
// Page "Sortieren": the album's lines and the buttons that move one up or
// down.
#include <QWidget>

class QAbstractItemModel;
class QPushButton;

namespace app {

class ListBox;

class SortPage : public QWidget {
  Q_OBJECT

 public:
  explicit SortPage(QWidget* parent = nullptr);

  // Shows the album's lines.
  void SetModel(QAbstractItemModel* lines);
  // After the lines changed: the first one current.
  void GoToFirstLine();
  int CurrentLine() const;
  void SetCurrentLine(int line);
  void SetRunning(bool running);

 signals:
  void UpClicked();
  void DownClicked();
  // A double click or Enter on a line: view it.
  void LineOpened();

 private:
  ListBox* SortBox;
  QPushButton* UpNow;
  QPushButton* DownNow;
};

}  // namespace app
