#pragma once
// StatusBar1: an empty 250-pixel panel and the progress panel, which reaches
// to the right end and is drawn by StatusProgress.
#include <QWidget>

#include "app/logic/StatusProgress.h"

namespace app {

class TStatusBar : public QWidget, private ProgressCanvas {
  Q_OBJECT

 public:
  static constexpr int kPanel0Width = 250;

  explicit TStatusBar(QWidget* parent = nullptr);

  // WMUser: a progress report from the image library.
  void SetProStatus(int percent) { progress_.SetProStatus(*this, percent); }
  const StatusProgress& Progress() const { return progress_; }
  PanelRect Panel1Rect() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FillNavy(const PanelRect& rect) override;
  void RepaintStatusBar() override;

  StatusProgress progress_;
  class QPainter* painter_ = nullptr;
};

}  // namespace app
