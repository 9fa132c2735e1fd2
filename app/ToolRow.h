#pragma once
// The tool row: the album file commands, each with its standard key, and the
// recent albums on the arrow beside "Öffnen...".
#include <QToolBar>
#include <string>
#include <vector>

#include "app/RunLock.h"

class QMenu;
class QToolButton;

namespace app {

class ToolRow : public QToolBar {
  Q_OBJECT

 public:
  // The standard keys work anywhere in `window`, even with the row hidden.
  explicit ToolRow(QWidget* window);

  // Fills the recent albums' menu; an empty list shows that there are none.
  void ShowRecentAlbums(const std::vector<std::string>& paths);
  // A run keeps the album as it is: the commands are off meanwhile.
  void SetRunning(bool running);

 signals:
  void NewClicked();
  void OpenClicked();
  void SaveClicked();
  void SaveAsClicked();
  // The recent albums' menu is about to open.
  void RecentAlbumsWanted();
  void RecentAlbumChosen(const std::string& path);

 private:
  void BindStandardKey(QToolButton* button, const QKeySequence& key);

  QToolButton* NewBtn;
  QToolButton* OpenBtn;
  QToolButton* SaveBtn;
  QToolButton* SaveAsBtn;
  QMenu* RecentMenu;
  RunLock lock_;
};

}  // namespace app
