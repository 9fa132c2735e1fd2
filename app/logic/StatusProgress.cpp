#include "app/logic/StatusProgress.h"

#include <algorithm>

namespace app {

PanelRect ProgressFillRect(const PanelRect& panel, int32_t percent) {
  const int64_t shown = std::clamp(percent, 0, 100);
  PanelRect fill = panel;
  fill.Right = static_cast<int32_t>(panel.Left + (int64_t{panel.Right} - panel.Left) * shown / 100);
  return fill;
}

void StatusProgress::StatusBar1DrawPanel(ProgressCanvas& canvas, const PanelRect& panel) {
  const PanelRect fill = ProgressFillRect(panel, percent_);
  if (!fill.IsEmpty()) canvas.FillNavy(fill);
  rect_ = panel;
}

void StatusProgress::SetProStatus(ProgressCanvas& canvas, int32_t percent) {
  if (percent < percent_) {
    percent_ = percent;
    canvas.RepaintStatusBar();
  } else {
    percent_ = percent;
    SBarPaintMore(canvas);
  }
}

void StatusProgress::SBarPaintMore(ProgressCanvas& canvas) const {
  const PanelRect fill = ProgressFillRect(rect_, percent_);
  if (!fill.IsEmpty()) canvas.FillNavy(fill);
}

}  // namespace app
