// Keys of the whole window: page switching and the path field; the
// commands' keys are their actions'.
#include <QShortcut>
#include <QTabWidget>

#include "app/AnsiText.h"
#include "app/FolderBrowser.h"
#include "app/MainUnit.h"
#include "app/SourcePage.h"
#include "app/StatusBar.h"

namespace app {

void TMainForm::ConnectShortcuts() {
  const auto turnPage = [this](int step) {
    const int count = pages_->count();
    pages_->setCurrentIndex((pages_->currentIndex() + step + count) % count);
  };
  for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
    connect(new QShortcut(key, this), &QShortcut::activated, this, [turnPage] { turnPage(1); });
  for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                  QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
    connect(new QShortcut(key, this), &QShortcut::activated, this, [turnPage] { turnPage(-1); });

  // As in file managers: a path to type or paste, on the first page.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this), &QShortcut::activated, this, [this] {
    pages_->setCurrentWidget(sourcePage_);
    Folders().EditPath();
  });
}

// The status line says why typed text did not appear.
void TMainForm::ShowRefusedCharacter() { statusBar_->ShowNote(app::RefusedCharacterText()); }

}  // namespace app
