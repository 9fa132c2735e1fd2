#pragma once
// StatusBar1: the text panel, at least 250 pixels and wider for a longer
// text, and the progress panel, which reaches to the right end and is drawn
// by StatusProgress. The text panel says which picture a run is making and
// how the last run ended.
#include <QWidget>

#include "app/logic/StatusProgress.h"

class QTimer;

namespace app {

class TStatusBar : public QWidget, private ProgressCanvas {
  Q_OBJECT

 public:
  static constexpr int kPanel0Width = 250;

  explicit TStatusBar(QWidget* parent = nullptr);

  // WMUser: a progress report from the image library.
  void SetProStatus(int percent);
  // The work is done: the bar empties after a moment, unless new progress
  // comes first.
  void ProgressDone();
  const StatusProgress& Progress() const { return progress_; }
  void SetText(const QString& text);
  // Shows `note` for a few seconds, then the text from before it.
  void ShowNote(const QString& note);
  const QString& Text() const { return text_; }
  int Panel0Width() const;
  PanelRect Panel1Rect() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FillNavy(const PanelRect& rect) override;
  void RepaintStatusBar() override;

  StatusProgress progress_;
  QString text_;
  QString textBeforeNote_;
  QTimer* noteTimer_;
  QTimer* emptyTimer_;
  class QPainter* painter_ = nullptr;
};

}  // namespace app
