#include "viewer/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace viewer {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(*event);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(*event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(*event);
}

}  // namespace viewer
