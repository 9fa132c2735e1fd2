#include "app/StatusBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace app {
namespace {

QRect ToQRect(const PanelRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusBar1");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TStatusBar::sizeHint() const { return QSize(kPanel0Width * 2, fontMetrics().height() + 8); }

PanelRect TStatusBar::Panel1Rect() const {
  return PanelRect{kPanel0Width + 2, 2, width() - 2, height() - 2};
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().mid().color());
  painter.drawRect(QRect(0, 1, kPanel0Width, height() - 3));
  painter.drawRect(QRect(kPanel0Width + 1, 1, width() - kPanel0Width - 2, height() - 3));
  painter.setPen(palette().windowText().color());
  const QRect textPanel(6, 1, kPanel0Width - 8, height() - 3);
  painter.drawText(textPanel, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text_, Qt::ElideRight, textPanel.width()));
  painter_ = &painter;
  progress_.StatusBar1DrawPanel(*this, Panel1Rect());
  painter_ = nullptr;
}

void TStatusBar::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update(QRect(0, 0, kPanel0Width + 1, height()));
}

void TStatusBar::FillNavy(const PanelRect& rect) {
  if (painter_) {
    painter_->fillRect(ToQRect(rect), QColor(0, 0, 128));
    return;
  }
  // Outside a paint event Qt cannot draw on a widget; a synchronous repaint
  // of just the bar draws the same navy bar before the library goes on.
  repaint(ToQRect(rect));
}

void TStatusBar::RepaintStatusBar() { repaint(); }

}  // namespace app
