#pragma once
// The file-type filter of the file list and the preview box below it.
#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QPainter;

namespace viewer {
class PaintBox;
}  // namespace viewer

namespace app {

class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewPane(QWidget* parent = nullptr);

  // Offers `descriptions`, the first one chosen.
  void ShowFilters(const QStringList& descriptions);
  int CurrentFilter() const;
  // Draws the preview; `paint` receives the painter and the box's size.
  void SetPainter(std::function<void(QPainter&, QSize)> paint);
  void Repaint();

 signals:
  void FilterChosen();

 private:
  QComboBox* FilterComboBox1;
  viewer::PaintBox* DibPrevPaint;
};

}  // namespace app
