#include "app/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

PictureButton::PictureButton(const QPixmap& raised, const QPixmap& pressed, const QString& hint,
                             const QString& raisedName, const QString& pressedName, QWidget* parent)
    : QWidget(parent), raised_(new QLabel(this)), pressedImage_(new QLabel(this)) {
  for (QLabel* image : {raised_, pressedImage_}) {
    image->setCursor(Qt::PointingHandCursor);
    image->setToolTip(hint);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  raised_->setObjectName(raisedName);
  pressedImage_->setObjectName(pressedName);
  raised_->setPixmap(raised);
  pressedImage_->setPixmap(pressed);
  raised_->adjustSize();
  pressedImage_->adjustSize();
  setFixedSize(raised_->size());
  setCursor(Qt::PointingHandCursor);
  setToolTip(hint);
  ShowRaised(true);
}

void PictureButton::ShowRaised(bool raised) {
  raised_->setVisible(raised);
  pressedImage_->setVisible(!raised);
}

bool PictureButton::Inside(int x, int y) const {
  return x >= 0 && x < raised_->width() && y >= 0 && y < raised_->height();
}

void PictureButton::MouseDown() {
  ShowRaised(false);
  pressed_ = true;
}

void PictureButton::MouseMove(int x, int y) {
  if (pressed_) ShowRaised(!Inside(x, y));
}

void PictureButton::MouseUp() {
  ShowRaised(true);
  pressed_ = false;
}

void PictureButton::Click() {
  ShowRaised(true);
  pressed_ = false;
  if (action_) action_();
}

void PictureButton::mousePressEvent(QMouseEvent*) { MouseDown(); }

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  MouseMove(p.x(), p.y());
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // A click is the left button's, as for every other button; any button
  // still shows the pressed image while held.
  const bool click = pressed_ && event->button() == Qt::LeftButton && Inside(p.x(), p.y());
  MouseUp();
  if (click) Click();
}

QPixmap PictureButtonFace(const QString& symbol, const QColor& colour, QSize size, bool pressed) {
  const qreal ratio = 2.0;  // drawn at double size so it stays sharp on high-DPI screens
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
  QLinearGradient gradient(face.topLeft(), face.bottomLeft());
  gradient.setColorAt(0, pressed ? colour.darker(130) : colour.lighter(140));
  gradient.setColorAt(1, pressed ? colour.lighter(110) : colour.darker(120));
  painter.setPen(QPen(colour.darker(180), 1));
  painter.setBrush(gradient);
  painter.drawRoundedRect(face, 6, 6);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(size.height() / 3);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(face.translated(pressed ? 1 : 0, pressed ? 1 : 0), Qt::AlignCenter, symbol);
  return pixmap;
}

}  // namespace app
