#pragma once
// Page "Sortieren": the album's lines and the buttons that move one up or
// down.
#include <QStringList>
#include <QWidget>

class QPushButton;

namespace app {

class ListBox;

class SortPage : public QWidget {
  Q_OBJECT

 public:
  explicit SortPage(QWidget* parent = nullptr);

  // Shows `lines` with the first one current.
  void ShowLines(const QStringList& lines);
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
