#pragma once
// StatusBar1: a 250-pixel text panel and the progress panel, which reaches
// to the right end and is drawn by StatusProgress. The text panel says which
// picture a run is making and how the last run ended.
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
  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  PanelRect Panel1Rect() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FillNavy(const PanelRect& rect) override;
  void RepaintStatusBar() override;

  StatusProgress progress_;
  QString text_;
  class QPainter* painter_ = nullptr;
};

}  // namespace app
