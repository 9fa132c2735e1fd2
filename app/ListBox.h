#pragma once
// A list that hands its own key presses, and files dropped on it, to the
// page part that holds it, each list to its own handler; lines are rows of
// its model.
#include <QItemSelectionModel>
#include <QListView>
#include <functional>
#include <vector>

namespace app {

inline bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

class ListBox : public QListView {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent = nullptr) : QListView(parent) {}

  // Receives key presses before the list moves; true consumes the key.
  std::function<bool(int key)> KeyPress;
  // Local files dropped on the list; the list accepts drops once this is set.
  std::function<void(const std::vector<QString>& paths)> FilesDropped;
  void AcceptFiles(std::function<void(const std::vector<QString>& paths)> dropped);
  // Files dropped meanwhile are refused, also when the event comes directly.
  void TakeFiles(bool take) {
    setAcceptDrops(take);
    viewport()->setAcceptDrops(take);
  }
  bool TakesFiles() const { return FilesDropped && acceptDrops(); }
  int LineCount() const;
  // The line with the focus; -1 when none.
  int CurrentLine() const;
  // Puts the focus on `line`, by default as a click does: it becomes the
  // only marked line.
  void SetCurrentLine(int line, QItemSelectionModel::SelectionFlags marks = QItemSelectionModel::ClearAndSelect);
  // The marked lines, top to bottom.
  std::vector<int> SelectedLines() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace app
