#include "viewer/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace viewer {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.parentWidget() ? window.parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace viewer
