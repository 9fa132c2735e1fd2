#include <gtest/gtest.h>

#include <vector>

#include "app/logic/StatusProgress.h"

using app::PanelRect;
using app::ProgressFillRect;
using app::StatusProgress;

namespace {

class RecordingCanvas : public app::ProgressCanvas {
 public:
  explicit RecordingCanvas(StatusProgress& progress, PanelRect panel) : progress_(progress), panel_(panel) {}
  void FillNavy(const PanelRect& rect) override { Fills.push_back(rect); }
  // A repaint clears the panel and lets the status bar draw it again.
  void RepaintStatusBar() override {
    ++Repaints;
    Fills.clear();
    progress_.StatusBar1DrawPanel(*this, panel_);
  }

  std::vector<PanelRect> Fills;
  int Repaints = 0;

 private:
  StatusProgress& progress_;
  PanelRect panel_;
};

constexpr PanelRect kPanel{252, 2, 652, 20};

}  // namespace

TEST(StatusProgress, FillWidthIsTruncatedProduct) {
  EXPECT_EQ(ProgressFillRect(kPanel, 0).Right, 252);
  EXPECT_EQ(ProgressFillRect(kPanel, 33).Right, 252 + 400 * 33 / 100);
  EXPECT_EQ(ProgressFillRect(kPanel, 100).Right, 652);
  EXPECT_EQ(ProgressFillRect({0, 0, 7, 5}, 50).Right, 3);
  // Outside 0..100 the bar stays within its panel.
  EXPECT_EQ(ProgressFillRect(kPanel, 250).Right, 652);
  EXPECT_EQ(ProgressFillRect(kPanel, -20).Right, 252);
}

TEST(StatusProgress, NothingIsDrawnBeforeThePanelWasDrawn) {
  StatusProgress progress;
  RecordingCanvas canvas(progress, kPanel);
  progress.SetProStatus(canvas, 40);
  EXPECT_TRUE(canvas.Fills.empty());
  EXPECT_EQ(canvas.Repaints, 0);
  EXPECT_EQ(progress.Percent(), 40);
}

TEST(StatusProgress, GrowingBarExtendsWithoutRepaint) {
  StatusProgress progress;
  RecordingCanvas canvas(progress, kPanel);
  progress.StatusBar1DrawPanel(canvas, kPanel);
  EXPECT_TRUE(canvas.Fills.empty());  // 0 % draws no bar
  EXPECT_EQ(progress.Rect(), kPanel);
  progress.SetProStatus(canvas, 20);
  progress.SetProStatus(canvas, 50);
  EXPECT_EQ(canvas.Repaints, 0);
  ASSERT_EQ(canvas.Fills.size(), 2u);
  EXPECT_EQ(canvas.Fills[0].Right, 252 + 80);
  EXPECT_EQ(canvas.Fills[1], (PanelRect{252, 2, 452, 20}));
}

TEST(StatusProgress, ShorterBarRepaintsTheStatusBar) {
  StatusProgress progress;
  RecordingCanvas canvas(progress, kPanel);
  progress.StatusBar1DrawPanel(canvas, kPanel);
  progress.SetProStatus(canvas, 50);
  progress.SetProStatus(canvas, 10);
  EXPECT_EQ(canvas.Repaints, 1);
  ASSERT_EQ(canvas.Fills.size(), 1u);
  EXPECT_EQ(canvas.Fills[0], (PanelRect{252, 2, 292, 20}));
  EXPECT_EQ(progress.Percent(), 10);
}

TEST(StatusProgress, EqualPercentageRedrawsInPlace) {
  StatusProgress progress;
  RecordingCanvas canvas(progress, kPanel);
  progress.StatusBar1DrawPanel(canvas, kPanel);
  progress.SetProStatus(canvas, 30);
  progress.SetProStatus(canvas, 30);
  EXPECT_EQ(canvas.Repaints, 0);
  EXPECT_EQ(canvas.Fills.size(), 2u);
}
