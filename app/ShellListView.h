#pragma once
// JamShellList1: the detail view of the folder chosen in the tree. Enter
// opens the current entry only while no name is being edited in place.
#include <QTreeView>
#include <functional>

namespace app {

class ShellListView : public QTreeView {
  Q_OBJECT

 public:
  explicit ShellListView(QWidget* parent = nullptr);

  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

  // Receives key presses first; true consumes the key.
  std::function<bool(int key)> KeyPress;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace app
