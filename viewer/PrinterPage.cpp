#include "viewer/PrinterPage.h"

#include <QPageSize>
#include <QPrinter>

namespace viewer {

bool PrinterAvailable(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
  return printer.isValid() && !printer.printerName().isEmpty();
}

PageSize PrintableArea(const QPrinter& printer) {
  if (PrinterAvailable(printer)) {
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    if (area.width() > 0 && area.height() > 0) return {area.width(), area.height()};
  }
  const QSize a4 = QPageSize(QPageSize::A4).sizePixels(printer.resolution());
  return {a4.width(), a4.height()};
}

}  // namespace viewer
