#pragma once
// The bar below the pages: the home page link, "Abbrechen" while a run goes
// on, and the picture buttons "Info" and "Ende".
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace app {

class PictureButton;

class BottomBar : public QWidget {
  Q_OBJECT

 public:
  explicit BottomBar(QWidget* parent = nullptr);

  // "Abbrechen" is shown and on only while a run goes on.
  void SetRunning(bool running);
  // A stop was asked for: "Abbrechen" has done its work.
  void DisableStop();

 signals:
  void HomePageClicked();
  void AboutClicked();
  void EndClicked();
  void StopClicked();

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
