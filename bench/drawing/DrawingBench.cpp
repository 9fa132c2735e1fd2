// Milliseconds per paint of a 24-megapixel picture in a 1600 x 1000 widget
// drawn through the QPainter device: fitted into the widget, and the
// visible window of a 900 % zoom.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "app/logic/PreviewPaint.h"
#include "drawing/qt/PainterDeviceContext.h"
#include "imaging/Rastola.h"
#include "imaging/StretchDrawDib.h"

namespace {

constexpr int32_t kPictureWidth = 6000;
constexpr int32_t kPictureHeight = 4000;
constexpr int kWidgetWidth = 1600;
constexpr int kWidgetHeight = 1000;

// Smooth gradients with a little pattern, made once for all runs.
const imaging::RasterImage& Picture() {
  static const imaging::Image picture = [] {
    imaging::Image image;
    imaging::newdib(&image, kPictureWidth, kPictureHeight, 24, nullptr, 0);
    for (int32_t y = 0; y < kPictureHeight; ++y) {
      uint8_t* row = image->Pixels + int64_t{y} * image->Stride;
      for (int32_t x = 0; x < kPictureWidth; ++x) {
        row[3 * x] = static_cast<uint8_t>(x * 255 / kPictureWidth);
        row[3 * x + 1] = static_cast<uint8_t>(y * 255 / kPictureHeight);
        row[3 * x + 2] = static_cast<uint8_t>((x ^ y) & 255);
      }
    }
    return image;
  }();
  return *picture;
}

// A widget's backing store as the offscreen platform keeps it.
QImage WidgetSurface() { return QImage(kWidgetWidth, kWidgetHeight, QImage::Format_ARGB32_Premultiplied); }

void BM_FittedIntoWidget(benchmark::State& state) {
  const imaging::RasterImage& picture = Picture();
  QImage surface = WidgetSurface();
  const app::DrawSize size = app::PreviewDrawSize(kWidgetWidth, kWidgetHeight, kPictureWidth, kPictureHeight);
  for (auto _ : state) {
    QPainter painter(&surface);
    drawing::PainterDeviceContext dc(painter);
    imaging::StretchDrawDib(dc, 0, 0, size.width, size.height, picture, 0, 0, kPictureWidth, kPictureHeight, true,
                            drawing::SRCCOPY, true, nullptr);
  }
  benchmark::DoNotOptimize(surface.constBits());
}

void BM_ZoomedWindow(benchmark::State& state) {
  const imaging::RasterImage& picture = Picture();
  QImage surface = WidgetSurface();
  const int32_t zoomedWidth = kPictureWidth * 9;
  const int32_t zoomedHeight = kPictureHeight * 9;
  for (auto _ : state) {
    // The viewer's scroll area shows the middle of the zoomed picture.
    QPainter painter(&surface);
    painter.translate(-(zoomedWidth - kWidgetWidth) / 2, -(zoomedHeight - kWidgetHeight) / 2);
    drawing::PainterDeviceContext dc(painter);
    imaging::StretchDrawDib(dc, 0, 0, zoomedWidth, zoomedHeight, picture, 0, 0, kPictureWidth, kPictureHeight, true,
                            drawing::SRCCOPY, false, nullptr);
  }
  benchmark::DoNotOptimize(surface.constBits());
}

}  // namespace

BENCHMARK(BM_FittedIntoWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomedWindow)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
