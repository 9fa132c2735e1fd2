#include "app/ListBox.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace app {
namespace {

std::vector<QString> LocalFiles(const QMimeData* data) {
  std::vector<QString> paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile());
  return paths;
}

}  // namespace

void ListBox::AcceptFiles(std::function<void(const std::vector<QString>& paths)> dropped) {
  FilesDropped = std::move(dropped);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

int ListBox::LineCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

int ListBox::CurrentLine() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

void ListBox::SetCurrentLine(int line, QItemSelectionModel::SelectionFlags marks) {
  if (!selectionModel()) return;
  selectionModel()->setCurrentIndex(model()->index(line, 0, rootIndex()), marks);
}

std::vector<int> ListBox::SelectedLines() const {
  std::vector<int> lines;
  if (!selectionModel()) return lines;
  for (const QModelIndex& index : selectionModel()->selectedRows()) lines.push_back(index.row());
  std::sort(lines.begin(), lines.end());
  return lines;
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  if (KeyPress && KeyPress(event->key())) {
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void ListBox::dragEnterEvent(QDragEnterEvent* event) {
  if (TakesFiles() && !LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void ListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (TakesFiles() && !LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void ListBox::dropEvent(QDropEvent* event) {
  if (!TakesFiles()) return;
  FilesDropped(LocalFiles(event->mimeData()));
  event->acceptProposedAction();
}

}  // namespace app
