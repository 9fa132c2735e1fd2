#pragma once
// The picture viewer window: one album picture large, at a chosen zoom,
// scrolled by dragging or with the mouse wheel. Created once at program start
// and reused, so the zoom and the scroll positions stay as the user left them.
#include <QDialog>
#include <string>

#include "imaging/RasterImage.h"

class QLabel;
class QLayout;
class QMouseEvent;
class QPainter;
class QWheelEvent;
class QPrinter;
class QPushButton;
class QScrollArea;
class QStatusBar;
namespace platform {
class Messages;
}

namespace viewer {

class PaintBox;
class SpinEdit;

class TViewPicForm : public QDialog {
  Q_OBJECT

 public:
  // `printer` is the program's current printer, shared with the main window's
  // print button so that a printer setup chosen in one place holds in the
  // other. Both references must outlive the window.
  TViewPicForm(QPrinter& printer, platform::Messages& messages, QWidget* parent = nullptr);

  // The last step of opening the viewer: shows `picture` (the main window's
  // preview, which outlives the modal viewer) and its 8-bit file name
  // modally. A record without pixels shows "Konnte die Bilddatei nicht
  // öffnen!" instead; then the result is false.
  bool ShowPicture(const imaging::RasterImage& picture, const std::string& fileName);

  // The picture shown now (null once the viewer is closed) and the file name
  // of the last opening.
  const imaging::RasterImage* Picture() const { return picture_; }
  const std::string& FileName() const { return fileName_; }

  // Controls, named as in the window definition (public for the tests).
  QPushButton* ReadyBtn;
  QPushButton* PrintBrn;
  QPushButton* OpenBtn;
  QLabel* ZoomLabel;
  viewer::SpinEdit* ZoomEd;
  QScrollArea* ScrollBox1;
  viewer::PaintBox* PaintBox1;
  QStatusBar* StatusBar1;

  void ZoomEdChange();
  void PaintBox1Paint(QPainter& canvas);
  void PaintBox1MouseDown(const QMouseEvent& event);
  void PaintBox1MouseMove(const QMouseEvent& event);
  void PaintBox1MouseUp(const QMouseEvent& event);
  void FormMouseWheelDown();
  void FormMouseWheelUp();
  void OpenBtnClick();
  void PrintBrnClick();

 protected:
  // Wheel events anywhere over the viewer scroll the picture, also over the
  // zoom field and the scroll bars, which would otherwise take them.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QLayout* BuildToolRow();
  void CatchWheelOfChildren();
  void WheelTurned(const QWheelEvent& event);
  // Sizes the paint area to the zoomed picture; true when it already fits.
  bool SizePaintBox();

  QPrinter& printer_;
  platform::Messages& messages_;
  // The caller's picture while the viewer is shown, null otherwise.
  const imaging::RasterImage* picture_ = nullptr;
  std::string fileName_;
  bool dragging_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
  int wheelRemainder_ = 0;
};

}  // namespace viewer
