#pragma once
// A button drawn as two images at one spot, a raised and a pressed one, with
// a pressed flag. Dragging off the button while it is held shows the raised
// image, and releasing there does not perform the action. It takes the focus
// and acts on Space and Enter like any button.
#include <QLabel>
#include <QWidget>
#include <functional>

namespace app {

class PictureButton : public QWidget {
  Q_OBJECT

 public:
  // `raisedName` and `pressedName` name the two images (EndeBtn, EndeBtnDown).
  PictureButton(const QPixmap& raised, const QPixmap& pressed, const QString& hint, const QString& raisedName,
                const QString& pressedName, QWidget* parent = nullptr);

  void SetAction(std::function<void()> action) { action_ = std::move(action); }

  // The PictureButton behaviour; positions are relative to the raised image.
  void MouseDown();
  void MouseMove(int x, int y);
  void MouseUp();
  // Shows the raised image, clears the flag, then performs the action.
  void Click();

  bool Pressed() const { return pressed_; }
  QLabel* RaisedImage() const { return raised_; }
  QLabel* PressedImage() const { return pressedImage_; }
  QSize sizeHint() const override { return raised_->sizeHint(); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ShowRaised(bool raised);
  bool Inside(int x, int y) const;

  QLabel* raised_;
  QLabel* pressedImage_;
  QWidget* focusFrame_;  // drawn over both images while the button has the focus
  bool pressed_ = false;
  std::function<void()> action_;
};

// Pictures for the picture buttons, drawn by the program: a bevelled face
// with a symbol; the pressed one is sunken. `symbol` is drawn centred.
QPixmap PictureButtonFace(const QString& symbol, const QColor& colour, QSize size, bool pressed);

}  // namespace app
