#pragma once
// Shared pieces of the viewer's window tests (the application object comes
// from WindowTestMain.cpp): solid test pictures, a settings store in a
// temporary folder and a printer whose printable area is known to the pixel.
#include <QApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>

#include "imaging/Rastola.h"

namespace viewer_test {

struct Colour {
  uint8_t Red, Green, Blue;
};

// A 24-bit picture of one colour.
inline imaging::Image SolidPicture(int32_t width, int32_t height, Colour colour) {
  imaging::Image picture;
  imaging::newdib(&picture, width, height, 24, nullptr, 0);
  for (int32_t row = 0; row < height; ++row) {
    uint8_t* pixel = picture->Pixels + static_cast<size_t>(row) * static_cast<size_t>(picture->Stride);
    for (int32_t column = 0; column < width; ++column, pixel += 3) {
      pixel[0] = colour.Blue;
      pixel[1] = colour.Green;
      pixel[2] = colour.Red;
    }
  }
  return picture;
}

// True when a grey of 128, which lies between two halftone palette levels,
// was drawn dithered: both a lighter and a darker level appear in `area`.
inline bool ShowsDitheredGrey(const QImage& image, const QRect& area) {
  bool lighter = false, darker = false;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      lighter = lighter || qGreen(image.pixel(x, y)) > 140;
      darker = darker || qGreen(image.pixel(x, y)) < 116;
    }
  }
  return lighter && darker;
}

// Points QSettings at a fresh temporary folder for the life of the object.
class TemporarySettings {
 public:
  TemporarySettings() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
  }

 private:
  QTemporaryDir folder_;
};

// A PDF printer at 72 dots per inch without margins: the printable area is
// exactly `width` x `height` device pixels.
inline void SetUpPdfPrinter(QPrinter& printer, const QString& file, int width, int height) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setResolution(72);
  printer.setFullPage(false);
  printer.setPageLayout(
      QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch),
                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

}  // namespace viewer_test
