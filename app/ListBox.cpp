#include "app/ListBox.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

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

std::vector<int> ListBox::SelectedLines() const {
  std::vector<int> lines;
  for (int i = 0; i < count(); ++i)
    if (item(i)->isSelected()) lines.push_back(i);
  return lines;
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  if (KeyPress && KeyPress(event->key())) {
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
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
