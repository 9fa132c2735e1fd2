#include "app/ToolRow.h"

#include <QMenu>
#include <QShortcut>
#include <QToolButton>

#include "app/MainLayoutHelpers.h"
#include "platform/qt/QtText.h"

namespace app {
namespace {

// SaveAs has no standard key on some desktops.
QKeySequence StandardKey(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
  return bindings.isEmpty() ? fallback : bindings.first();
}

}  // namespace

ToolRow::ToolRow(QWidget* window) : QToolBar(window) {
  setObjectName("ToolRow");
  setMovable(false);
  NewBtn = ToolButton("&Neu", "Neues Album erstellen", QStyle::SP_FileIcon, this);
  OpenBtn = ToolButton("Ö&ffnen...", "Album öffnen...", QStyle::SP_DialogOpenButton, this);
  SaveBtn = ToolButton("&Speichern", "Album speichern", QStyle::SP_DialogSaveButton, this);
  SaveAsBtn = ToolButton("Speichern &unter...", "Album speichern unter...", QStyle::SP_DriveFDIcon, this);
  NewBtn->setObjectName("NewBtn");
  OpenBtn->setObjectName("OpenBtn");
  SaveBtn->setObjectName("SaveBtn");
  SaveAsBtn->setObjectName("SaveAsBtn");
  RecentMenu = new QMenu(OpenBtn);
  RecentMenu->setObjectName("RecentMenu");
  OpenBtn->setMenu(RecentMenu);
  OpenBtn->setPopupMode(QToolButton::MenuButtonPopup);
  connect(RecentMenu, &QMenu::aboutToShow, this, &ToolRow::RecentAlbumsWanted);
  for (QToolButton* button : {NewBtn, OpenBtn, SaveBtn, SaveAsBtn}) addWidget(button);

  connect(NewBtn, &QToolButton::clicked, this, &ToolRow::NewClicked);
  connect(OpenBtn, &QToolButton::clicked, this, &ToolRow::OpenClicked);
  connect(SaveBtn, &QToolButton::clicked, this, &ToolRow::SaveClicked);
  connect(SaveAsBtn, &QToolButton::clicked, this, &ToolRow::SaveAsClicked);
  BindStandardKey(NewBtn, StandardKey(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
  BindStandardKey(OpenBtn, StandardKey(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
  BindStandardKey(SaveBtn, StandardKey(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
  BindStandardKey(SaveAsBtn, StandardKey(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
}

// The button's own shortcut stays its Alt mnemonic.
void ToolRow::BindStandardKey(QToolButton* button, const QKeySequence& key) {
  connect(new QShortcut(key, parentWidget()), &QShortcut::activated, button, [button] {
    if (button->isEnabled()) button->click();
  });
  button->setToolTip(WithKey(button->toolTip(), key));
}

void ToolRow::ShowRecentAlbums(const std::vector<std::string>& paths) {
  RecentMenu->clear();
  for (const std::string& path : paths)
    RecentMenu->addAction(platform::ToQString(path), this, [this, path] { emit RecentAlbumChosen(path); });
  if (paths.empty()) RecentMenu->addAction("(keine zuletzt benutzten Alben)")->setEnabled(false);
}

void ToolRow::SetRunning(bool running) {
  lock_.Follow(running, {NewBtn, OpenBtn, SaveBtn, SaveAsBtn});
}

}  // namespace app
