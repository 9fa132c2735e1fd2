#pragma once
// A plain paint area whose painting and mouse events are handled by the
// window that holds it, as the window's own event operations.
#include <QWidget>
#include <functional>

namespace viewer {

class PaintBox : public QWidget {
  Q_OBJECT

 public:
  using PaintHandler = std::function<void(QPainter&)>;
  using MouseHandler = std::function<void(QMouseEvent&)>;

  explicit PaintBox(QWidget* parent = nullptr);

  PaintHandler OnPaint;
  MouseHandler OnMouseDown;
  MouseHandler OnMouseMove;
  MouseHandler OnMouseUp;
  // The size the box asks its layout for; none when invalid.
  QSize Hint;
  QSize sizeHint() const override { return Hint.isValid() ? Hint : QWidget::sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace viewer
