#include "app/ShellListView.h"

#include <QKeyEvent>

namespace app {

ShellListView::ShellListView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setSortingEnabled(true);
  sortByColumn(0, Qt::AscendingOrder);
}

void ShellListView::keyPressEvent(QKeyEvent* event) {
  if (!IsEditing() && KeyPress && KeyPress(event->key())) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace app
