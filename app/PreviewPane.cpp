#include "app/PreviewPane.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "viewer/PaintBox.h"

namespace app {

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
  FilterComboBox1 = new QComboBox;
  FilterComboBox1->setObjectName("FilterComboBox1");
  FilterComboBox1->setToolTip("Hier können Sie die angezeigten Dateitypen wählen");
  DibPrevPaint = new viewer::PaintBox;
  DibPrevPaint->Hint = QSize(320, 200);
  DibPrevPaint->setObjectName("DibPrevPaint");
  DibPrevPaint->setToolTip("Zeigt eine Vorschau des geladenen Bildes");
  DibPrevPaint->setMinimumSize(160, 100);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  layout->addWidget(FilterComboBox1);
  layout->addWidget(DibPrevPaint, 1);
  connect(FilterComboBox1, &QComboBox::activated, this, &PreviewPane::FilterChosen);
}

void PreviewPane::ShowFilters(const QStringList& descriptions) {
  FilterComboBox1->addItems(descriptions);
  FilterComboBox1->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

int PreviewPane::CurrentFilter() const { return FilterComboBox1->currentIndex(); }

void PreviewPane::SetPainter(std::function<void(QPainter&, QSize)> paint) {
  DibPrevPaint->OnPaint = [this, paint = std::move(paint)](QPainter& painter) { paint(painter, DibPrevPaint->size()); };
}

void PreviewPane::Repaint() { DibPrevPaint->update(); }

}  // namespace app
