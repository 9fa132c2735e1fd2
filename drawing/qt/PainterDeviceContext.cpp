#include "drawing/qt/PainterDeviceContext.h"

#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QScreen>
#include <algorithm>

#include "drawing/DibPixels.h"
#include "platform/qt/QtMessages.h"

namespace drawing {

namespace {

constexpr int kUnbounded = 1 << 30;

QList<QRgb> ColourTable(const BITMAPINFO& info, int32_t count) {
  QList<QRgb> table(count);
  for (int32_t i = 0; i < count; ++i) {
    const RGBQUAD& q = info.bmiColors[i];
    table[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  return table;
}

// 4-bit rows have no QImage format: widen them to one index per byte.
QImage WidenFourBit(const uint8_t* firstRow, int32_t width, int32_t rows, int64_t stride) {
  QImage image(width, rows, QImage::Format_Indexed8);
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* in = firstRow + r * stride;
    uchar* out = image.scanLine(r);
    for (int32_t x = 0; x < width; ++x) out[x] = (x % 2 == 0) ? in[x / 2] >> 4 : in[x / 2] & 15;
  }
  return image;
}

// `rows` memory rows of a DIB from memory row `first` on, as a QImage that
// shares the DIB's memory where a format allows. It is upside down: its row
// 0 is memory row `first`.
QImage WrapRows(const DibReader& dib, const BITMAPINFO& info, const void* bits, int32_t first, int32_t rows) {
  const auto* start = static_cast<const uint8_t*>(bits) + first * dib.Stride();
  const auto stride = static_cast<qsizetype>(dib.Stride());
  QImage image;
  switch (dib.BitCount()) {
    case 1:
      image = QImage(start, dib.Width(), rows, stride, QImage::Format_Mono);
      break;
    case 4:
      image = WidenFourBit(start, dib.Width(), rows, dib.Stride());
      break;
    case 8:
      image = QImage(start, dib.Width(), rows, stride, QImage::Format_Indexed8);
      break;
    case 16:
      return QImage(start, dib.Width(), rows, stride, QImage::Format_RGB555);
    case 24:
      return QImage(start, dib.Width(), rows, stride, QImage::Format_BGR888);
    default:
      return QImage(start, dib.Width(), rows, stride, QImage::Format_RGB32);
  }
  image.setColorTable(ColourTable(info, 1 << dib.BitCount()));
  return image;
}

// Memory rows [first, end) turned the right way up.
QImage UprightRows(const DibReader& dib, const BITMAPINFO& info, const void* bits, int32_t first, int32_t end) {
  const QImage rows = WrapRows(dib, info, bits, first, end - first);
  return end - first > 1 ? rows.mirrored(false, true) : rows;
}

}  // namespace

PainterDeviceContext::PainterDeviceContext(QPainter& painter, platform::Messages* messages)
    : painter_(painter),
      messages_(messages),
      kind_(painter.device() && painter.device()->devType() == QInternal::Printer ? DeviceKind::Printer
                                                                                  : DeviceKind::Display),
      palette_(DefaultPalette()) {
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

int32_t PainterDeviceContext::SetStretchBltMode(int32_t mode) { return std::exchange(stretchMode_, mode); }

// Qt devices are true colour: a palette only needs remembering so the
// caller can put the previous one back.
HPALETTE PainterDeviceContext::SelectPalette(HPALETTE palette, bool) {
  if (!palette) return nullptr;
  return std::exchange(palette_, palette);
}

int32_t PainterDeviceContext::StretchDIBits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                            int32_t srcY, int32_t srcWidth, int32_t srcHeight, const void* bits,
                                            const BITMAPINFO* info, uint32_t, uint32_t) {
  const DibReader dib(info, bits, info ? static_cast<uint32_t>(info->bmiHeader.biHeight) : 0);
  if (!dib.Valid()) return GDI_ERROR;
  if (width < 1 || height < 1 || srcWidth < 1 || srcHeight < 1) return 0;
  const int32_t first = std::clamp(srcY, 0, dib.Lines());
  const int32_t end = static_cast<int32_t>(std::clamp<int64_t>(int64_t{srcY} + srcHeight, first, dib.Lines()));
  if (end <= first) return 0;
  const QImage upright = UprightRows(dib, *info, bits, first, end);
  // The source rectangle's top row is memory row srcY + srcHeight - 1.
  const QRectF source(srcX, end - (int64_t{srcY} + srcHeight), srcWidth, srcHeight);
  painter_.drawImage(QRectF(x, y, width, height), upright, source);
  return srcHeight;
}

int32_t PainterDeviceContext::SetDIBitsToDevice(int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                                                int32_t srcY, uint32_t startScan, uint32_t lines, const void* bits,
                                                const BITMAPINFO* info, uint32_t) {
  const DibReader dib(info, bits, lines);
  if (!dib.Valid()) return 0;
  const auto block = SetDIBitsToDeviceBlock(x, y, width, height, srcX, srcY, startScan, dib, info->bmiHeader.biHeight);
  if (!block) return static_cast<int32_t>(lines);
  const int32_t first = block->topMemoryRow - block->height + 1;
  const QImage upright = UprightRows(dib, *info, bits, first, block->topMemoryRow + 1);
  painter_.drawImage(QPoint(block->destX, block->destY), upright, QRect(block->srcX, 0, block->width, block->height));
  return static_cast<int32_t>(lines);
}

std::unique_ptr<CompatibleBitmap> PainterDeviceContext::CreateCompatibleBitmap(int32_t width, int32_t height) {
  return MakeCompatibleBitmap(width, height);
}

std::unique_ptr<MemoryBitmapDC> PainterDeviceContext::CreateCompatibleDC() {
  return std::make_unique<MemoryBitmapDC>();
}

int32_t PainterDeviceContext::SetDIBits(MemoryBitmapDC&, CompatibleBitmap& bitmap, uint32_t startScan, uint32_t lines,
                                        const void* bits, const BITMAPINFO* info, uint32_t) {
  return StoreDibInBitmap(bitmap, startScan, lines, bits, info);
}

bool PainterDeviceContext::StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const MemoryBitmapDC& source,
                                      int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight, uint32_t) {
  const CompatibleBitmap* bitmap = source.Selected();
  if (!bitmap) return false;
  // Our bitmaps leave the top byte 0; Qt wants opaque 0xFFRRGGBB.
  QImage image(bitmap->width, bitmap->height, QImage::Format_RGB32);
  for (int32_t row = 0; row < bitmap->height; ++row) {
    const uint32_t* in = bitmap->pixels.data() + static_cast<size_t>(row) * bitmap->width;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int32_t column = 0; column < bitmap->width; ++column) out[column] = 0xFF000000u | in[column];
  }
  painter_.drawImage(QRectF(x, y, width, height), image, QRectF(srcX, srcY, srcWidth, srcHeight));
  return true;
}

DeviceRect PainterDeviceContext::ClipBox() const {
  // A recording (QPicture, as print previews use) has no size of its own.
  QRect box(QPoint(-kUnbounded, -kUnbounded), QPoint(kUnbounded, kUnbounded));
  const QPaintDevice* device = painter_.device();
  if (device && device->devType() != QInternal::Picture) {
    box = painter_.combinedTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
  }
  // A widget's paint event limits drawing to the exposed region.
  if (const QPaintEngine* engine = painter_.paintEngine(); engine && !engine->systemClip().isEmpty()) {
    box &= painter_.deviceTransform().inverted().mapRect(engine->systemClip().boundingRect());
  }
  if (painter_.hasClipping()) box &= painter_.clipBoundingRect().toAlignedRect();
  if (extraClip_) box &= *extraClip_;
  if (box.isEmpty()) return DeviceRect{};
  return DeviceRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
}

void PainterDeviceContext::ShowDeviceMessage(const std::string& text) {
  if (messages_) {
    messages_->MessageBox(text, "", platform::MessageIcon::None);
    return;
  }
  platform::QtMessages ownerless;
  ownerless.MessageBox(text, "", platform::MessageIcon::None);
}

int32_t QtScreenBitsPerPixel() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 32;
}

}  // namespace drawing
