#pragma once
// Centres a window on the screen its parent is on (or the primary screen).
class QWidget;

namespace viewer {

void CentreOnScreen(QWidget& window);

}  // namespace viewer
