#include "app/StatusBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <algorithm>

namespace app {
namespace {

constexpr int kTextMargin = 16;
// The progress panel keeps at least this much when the text needs room.
constexpr int kMinProgressWidth = 120;
constexpr int kNoteMs = 5000;
constexpr int kEmptyAfterMs = 1500;

QRect ToQRect(const PanelRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusBar1");
  setAttribute(Qt::WA_OpaquePaintEvent);
  noteTimer_ = new QTimer(this);
  noteTimer_->setSingleShot(true);
  noteTimer_->setInterval(kNoteMs);
  connect(noteTimer_, &QTimer::timeout, this, [this] { SetText(textBeforeNote_); });
  emptyTimer_ = new QTimer(this);
  emptyTimer_->setSingleShot(true);
  emptyTimer_->setInterval(kEmptyAfterMs);
  connect(emptyTimer_, &QTimer::timeout, this, [this] { progress_.SetProStatus(*this, 0); });
}

QSize TStatusBar::sizeHint() const { return QSize(kPanel0Width * 2, fontMetrics().height() + 8); }

int TStatusBar::Panel0Width() const {
  const int needed = fontMetrics().horizontalAdvance(text_) + kTextMargin;
  return std::max(kPanel0Width, std::min(needed, width() - kMinProgressWidth));
}

PanelRect TStatusBar::Panel1Rect() const { return PanelRect{Panel0Width() + 2, 2, width() - 2, height() - 2}; }

void TStatusBar::paintEvent(QPaintEvent*) {
  const int panel0 = Panel0Width();
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().mid().color());
  painter.drawRect(QRect(0, 1, panel0, height() - 3));
  painter.drawRect(QRect(panel0 + 1, 1, width() - panel0 - 2, height() - 3));
  painter.setPen(palette().windowText().color());
  const QRect textPanel(6, 1, panel0 - 8, height() - 3);
  const QString shown = fontMetrics().elidedText(text_, Qt::ElideRight, textPanel.width());
  painter.drawText(textPanel, Qt::AlignVCenter | Qt::AlignLeft, shown);
  // A text cut to fit is there in full when the mouse rests on it.
  setToolTip(shown == text_ ? QString() : text_);
  painter_ = &painter;
  progress_.StatusBar1DrawPanel(*this, Panel1Rect());
  painter_ = nullptr;
}

void TStatusBar::SetProStatus(int percent) {
  emptyTimer_->stop();
  progress_.SetProStatus(*this, percent);
}

void TStatusBar::ProgressDone() { emptyTimer_->start(); }

void TStatusBar::SetText(const QString& text) {
  noteTimer_->stop();
  if (text == text_) return;
  // The panel's width follows the text, and the progress panel with it.
  const bool widthChanges =
      Panel0Width() != kPanel0Width || fontMetrics().horizontalAdvance(text) + kTextMargin > kPanel0Width;
  text_ = text;
  if (widthChanges)
    update();
  else
    update(QRect(0, 0, kPanel0Width + 1, height()));
}

void TStatusBar::ShowNote(const QString& note) {
  const QString before = noteTimer_->isActive() ? textBeforeNote_ : text_;
  SetText(note);
  textBeforeNote_ = before;
  noteTimer_->start();
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
