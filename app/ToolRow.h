#pragma once
// The tool row: the album file commands, each with its standard key, and the
// recent albums on the arrow beside "Öffnen...".
#include <QToolBar>
#include <string>
#include <vector>

class QMenu;
class QToolButton;

namespace app {
class WindowActions;
}  // namespace app

namespace app {

class ToolRow : public QToolBar {
  Q_OBJECT

 public:
  // The buttons trigger the album file actions and follow their state.
  ToolRow(QWidget* window, const WindowActions& actions);

  // Fills the recent albums' menu; an empty list shows that there are none.
  void ShowRecentAlbums(const std::vector<std::string>& paths);

 signals:
  // The recent albums' menu is about to open.
  void RecentAlbumsWanted();
  void RecentAlbumChosen(const std::string& path);

 private:
  QToolButton* NewBtn;
  QToolButton* OpenBtn;
  QToolButton* SaveBtn;
  QToolButton* SaveAsBtn;
  QMenu* RecentMenu;
};

}  // namespace app
