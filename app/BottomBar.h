#pragma once
// The bar below the pages: the home page link, "Abbrechen" while a run goes
// on, and the picture buttons "Info" and "Ende".
#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QToolButton;

namespace app {

class PictureButton;

class BottomBar : public QWidget {
  Q_OBJECT

 public:
  explicit BottomBar(QWidget* parent = nullptr);

  // "Abbrechen" triggers `action` and is on when it is.
  void UseStopAction(QAction* action);
  // "Abbrechen" is shown only while a run goes on.
  void SetRunning(bool running);

 signals:
  void HomePageClicked();
  void AboutClicked();
  void EndClicked();

 private:
  QToolButton* wwwBtn;
  PictureButton* ueberButton;
  QLabel* ueberbtn;
  QLabel* ueberBtn2;
  PictureButton* EndeButton;
  QLabel* EndeBtn;
  QLabel* EndeBtnDown;
  QPushButton* StopBtn;
};

}  // namespace app
