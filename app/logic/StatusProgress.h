#pragma once
// The progress bar in the status bar's second panel. The arithmetic and the
// choice between extending the bar and repainting the status bar are kept
// apart from the widget, behind ProgressCanvas.
#include <cstdint>

namespace app {

struct PanelRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const PanelRect&) const = default;
};

// The navy part of `panel` for `percent`: the product is formed first, then
// divided truncating towards zero. Percentages outside 0..100 are drawn as
// 0 or 100, so the bar never leaves its panel.
PanelRect ProgressFillRect(const PanelRect& panel, int32_t percent);

class ProgressCanvas {
 public:
  virtual ~ProgressCanvas() = default;
  // Fills the rectangle navy (red 0, green 0, blue 128) on the status bar.
  virtual void FillNavy(const PanelRect& rect) = 0;
  // Repaints the whole status bar at once; it then calls StatusBar1DrawPanel.
  virtual void RepaintStatusBar() = 0;
};

class StatusProgress {
 public:
  // The status bar draws panel 1: fill the bar and remember the panel.
  void StatusBar1DrawPanel(ProgressCanvas& canvas, const PanelRect& panel);
  // A growing bar is painted over the old one; a shorter one needs the
  // status bar repainted to clear the old, longer bar.
  void SetProStatus(ProgressCanvas& canvas, int32_t percent);
  void SBarPaintMore(ProgressCanvas& canvas) const;

  int32_t Percent() const { return percent_; }
  const PanelRect& Rect() const { return rect_; }

 private:
  int32_t percent_ = 0;
  PanelRect rect_;
};

}  // namespace app
