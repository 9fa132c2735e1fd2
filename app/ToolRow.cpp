#include "app/ToolRow.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "app/MainLayoutHelpers.h"
#include "app/WindowActions.h"
#include "platform/qt/QtText.h"

namespace app {

ToolRow::ToolRow(QWidget* window, const WindowActions& actions) : QToolBar(window) {
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

  const std::pair<QToolButton*, QAction*> bindings[] = {
      {NewBtn, actions.New}, {OpenBtn, actions.Open}, {SaveBtn, actions.Save}, {SaveAsBtn, actions.SaveAs}};
  for (const auto& [button, action] : bindings) {
    TriggerFrom(button, action);
    button->setToolTip(WithKey(button->toolTip(), action->shortcut()));
  }
}

void ToolRow::ShowRecentAlbums(const std::vector<std::string>& paths) {
  RecentMenu->clear();
  for (const std::string& path : paths)
    RecentMenu->addAction(platform::ToQString(path), this, [this, path] { emit RecentAlbumChosen(path); });
  if (paths.empty()) RecentMenu->addAction("(keine zuletzt benutzten Alben)")->setEnabled(false);
}

}  // namespace app
