#include "app/PictureButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace app {
namespace {

class FocusFrame : public QWidget {
 public:
  explicit FocusFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
};

bool IsSpace(const QKeyEvent* event) { return event->key() == Qt::Key_Space && !event->isAutoRepeat(); }

}  // namespace

PictureButton::PictureButton(const QPixmap& raised, const QPixmap& pressed, const QString& hint,
                             const QString& raisedName, const QString& pressedName, QWidget* parent)
    : QWidget(parent), raised_(new QLabel(this)), pressedImage_(new QLabel(this)), focusFrame_(new FocusFrame(this)) {
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
  focusFrame_->setGeometry(rect());
  focusFrame_->raise();
  setFocusPolicy(Qt::StrongFocus);
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

void PictureButton::keyPressEvent(QKeyEvent* event) {
  if (IsSpace(event)) {
    MouseDown();
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Click();
  } else {
    QWidget::keyPressEvent(event);
  }
}

// Space acts on release, as on any button; the pressed image shows meanwhile.
void PictureButton::keyReleaseEvent(QKeyEvent* event) {
  if (!IsSpace(event) || !pressed_) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  Click();
}

void PictureButton::focusInEvent(QFocusEvent* event) {
  focusFrame_->show();
  QWidget::focusInEvent(event);
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
  focusFrame_->hide();
  if (pressed_) MouseUp();
  QWidget::focusOutEvent(event);
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
