#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPicture>
#include <QScrollArea>
#include <QScrollBar>

#include "drawing/qt/PainterDeviceContext.h"
#include "imaging/StretchDrawDib.h"
#include "support/GuiApplication.h"
#include "support/MemoryDeviceContext.h"
#include "support/TestImages.h"

using namespace testimages;
using drawing::PainterDeviceContext;

namespace {

constexpr QRgb kBackground = 0xFFFF00FF;

QImage Canvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_RGB32);
  canvas.fill(kBackground);
  return canvas;
}

QRgb Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// What the memory device draws for the same call: the reference result.
template <typename Draw>
void ExpectSameAsMemoryDevice(int width, int height, Draw draw) {
  QImage canvas = Canvas(width, height);
  {
    QPainter painter(&canvas);
    PainterDeviceContext dc(painter);
    draw(static_cast<drawing::DeviceContext&>(dc));
  }
  drawing::MemoryDeviceContext reference(width, height, kBackground & 0xFFFFFF);
  draw(static_cast<drawing::DeviceContext&>(reference));
  int drawn = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) drawn += Opaque(reference.Pixel(x, y)) != kBackground;
  }
  ASSERT_GT(drawn, 0) << "the reference drew nothing";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(canvas.pixel(x, y), Opaque(reference.Pixel(x, y))) << x << "," << y;
    }
  }
}

// A picture of any depth whose bytes are all different.
imaging::Image Patterned(int32_t width, int32_t height, int32_t bits) {
  imaging::Image image = Make(width, height, bits);
  for (uint32_t i = 0; i < image->Info->bmiHeader.biSizeImage; ++i)
    image->Pixels[i] = static_cast<uint8_t>(i * 37 + 11);
  return image;
}

// The whole picture drawn at its own size through the painter device.
QImage DrawnUnscaled(const imaging::RasterImage& image) {
  QImage canvas = Canvas(imaging::DibWidth(image), imaging::DibHeight(image));
  QPainter painter(&canvas);
  PainterDeviceContext dc(painter);
  imaging::StretchDrawDib(dc, 0, 0, DibWidth(image), DibHeight(image), image, 0, 0, DibWidth(image), DibHeight(image),
                          true, drawing::SRCCOPY, true, nullptr);
  painter.end();
  return canvas;
}

// A large paint box whose paint handler notes the clip box it was given.
struct PaintBox : QWidget {
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const PainterDeviceContext dc(painter);
    exposed = event->rect();
    clip = dc.ClipBox();
  }
  QRect exposed;
  drawing::DeviceRect clip;
};

}  // namespace

class PainterDeviceContextTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }
};

TEST_F(PainterDeviceContextTest, TwentyFourBitPictureIsDrawnPixelExact) {
  imaging::Image image = Numbered24(7, 5);
  ExpectSameAsMemoryDevice(20, 16, [&](drawing::DeviceContext& dc) {
    imaging::StretchDrawDib(dc, 1, 2, 15, 12, *image, 0, 0, 7, 5, true, drawing::SRCCOPY, true, nullptr);
  });
  const QImage canvas = DrawnUnscaled(*image);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) ASSERT_EQ(canvas.pixel(x, y), Opaque(NumberedColour(x, 4 - y))) << x << "," << y;
  }
}

TEST_F(PainterDeviceContextTest, EightBitPictureIsDrawnPixelExactThroughItsColourTable) {
  imaging::Image image = Patterned(9, 6, 8);
  ExpectSameAsMemoryDevice(24, 20, [&](drawing::DeviceContext& dc) {
    imaging::StretchDrawDib(dc, 3, 1, 20, 17, *image, 0, 0, 9, 6, true, drawing::SRCCOPY, true, nullptr);
  });
  const QImage canvas = DrawnUnscaled(*image);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 9; ++x) {
      // Colour i of the test table is red i, green 2i, blue 3i.
      const uint8_t i = Row(*image, 5 - y)[x];
      ASSERT_EQ(canvas.pixel(x, y), qRgb(i, uint8_t(2 * i), uint8_t(3 * i))) << x << "," << y;
    }
  }
}

TEST_F(PainterDeviceContextTest, EveryDepthIsDrawnUnscaledExactly) {
  for (int32_t bits : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bits);
    imaging::Image image = Patterned(11, 4, bits);
    const imaging::RasterImage& picture = *image;
    ExpectSameAsMemoryDevice(16, 8, [&](drawing::DeviceContext& dc) {
      dc.StretchDIBits(2, 3, 11, 4, 0, 0, 11, 4, picture.Pixels, picture.Info, drawing::DIB_RGB_COLORS,
                       drawing::SRCCOPY);
    });
    ExpectSameAsMemoryDevice(16, 8, [&](drawing::DeviceContext& dc) {
      dc.SetDIBitsToDevice(1, 1, 9, 3, 2, 1, 0, 4, picture.Pixels, picture.Info, drawing::DIB_RGB_COLORS);
    });
  }
}

TEST_F(PainterDeviceContextTest, PartOfThePictureByStretchDIBits) {
  imaging::Image image = Numbered24(10, 8);
  const imaging::RasterImage& picture = *image;
  ExpectSameAsMemoryDevice(12, 10, [&](drawing::DeviceContext& dc) {
    dc.StretchDIBits(1, 1, 4, 3, 3, 2, 4, 3, picture.Pixels, picture.Info, drawing::DIB_RGB_COLORS, drawing::SRCCOPY);
  });
}

TEST_F(PainterDeviceContextTest, CompatibleBitmapIsStretchedFromTheTop) {
  imaging::Image image = Numbered24(5, 4);
  const imaging::RasterImage& picture = *image;
  ExpectSameAsMemoryDevice(8, 8, [&](drawing::DeviceContext& dc) {
    auto bitmap = dc.CreateCompatibleBitmap(5, 4);
    auto memory = dc.CreateCompatibleDC();
    ASSERT_EQ(dc.SetDIBits(*memory, *bitmap, 0, 4, picture.Pixels, picture.Info, drawing::DIB_RGB_COLORS), 4);
    memory->SelectBitmap(bitmap.get());
    EXPECT_TRUE(dc.StretchBlt(1, 2, 5, 4, *memory, 0, 0, 5, 4, drawing::SRCCOPY));
  });
}

TEST_F(PainterDeviceContextTest, ClipBoxFollowsThePainterAndTheExposedArea) {
  QImage canvas = Canvas(100, 80);
  QPainter painter(&canvas);
  PainterDeviceContext dc(painter);
  EXPECT_EQ(dc.ClipBox(), (drawing::DeviceRect{0, 0, 100, 80}));
  painter.setClipRect(QRect(10, 20, 30, 40));
  EXPECT_EQ(dc.ClipBox(), (drawing::DeviceRect{10, 20, 40, 60}));
  dc.SetClipBox(QRect(0, 0, 20, 100));
  EXPECT_EQ(dc.ClipBox(), (drawing::DeviceRect{10, 20, 20, 60}));
  dc.SetClipBox(QRect(0, 0, 5, 5));
  EXPECT_EQ(dc.ClipBox(), (drawing::DeviceRect{}));
}

TEST_F(PainterDeviceContextTest, ClipBoxIsInThePaintersCoordinates) {
  QImage canvas = Canvas(100, 80);
  QPainter painter(&canvas);
  painter.translate(-50, 10);
  PainterDeviceContext dc(painter);
  EXPECT_EQ(dc.ClipBox(), (drawing::DeviceRect{50, -10, 150, 70}));
}

TEST_F(PainterDeviceContextTest, ClipBoxOfAScrolledWidgetIsTheExposedPart) {
  QScrollArea area;
  auto* box = new PaintBox;
  box->resize(20000, 10000);
  area.setWidget(box);
  area.resize(400, 300);
  area.show();
  QApplication::processEvents();
  area.horizontalScrollBar()->setValue(9000);
  area.verticalScrollBar()->setValue(4000);
  box->exposed = QRect();
  box->repaint();
  ASSERT_FALSE(box->exposed.isEmpty());
  EXPECT_GE(box->exposed.left(), 9000);
  EXPECT_EQ(box->clip, (drawing::DeviceRect{box->exposed.left(), box->exposed.top(), box->exposed.right() + 1,
                                            box->exposed.bottom() + 1}));
}

TEST_F(PainterDeviceContextTest, RecordingForAPreviewIsNotClippedAway) {
  imaging::Image image = Numbered24(6, 4);
  QPicture recording;
  {
    QPainter painter(&recording);
    PainterDeviceContext dc(painter);
    imaging::StretchDrawDib(dc, 2, 1, 6, 4, *image, 0, 0, 6, 4, true, drawing::SRCCOPY, true, nullptr);
  }
  QImage canvas = Canvas(10, 6);
  QPainter replay(&canvas);
  replay.drawPicture(0, 0, recording);
  replay.end();
  EXPECT_EQ(canvas.pixel(2, 1), Opaque(NumberedColour(0, 3)));
  EXPECT_EQ(canvas.pixel(7, 4), Opaque(NumberedColour(5, 0)));
}

TEST_F(PainterDeviceContextTest, ZoomedPictureDrawsOnlyTheExposedArea) {
  imaging::Image image = Numbered24(300, 200);
  QImage canvas = Canvas(40, 30);
  QPainter painter(&canvas);
  painter.translate(-2000, -1000);
  PainterDeviceContext dc(painter);
  // 900 %: destination 2700 x 1800, the canvas shows (2000, 1000) onwards.
  imaging::StretchDrawDib(dc, 0, 0, 2700, 1800, *image, 0, 0, 300, 200, true, drawing::SRCCOPY, false, nullptr);
  painter.end();
  EXPECT_EQ(canvas.pixel(0, 0), Opaque(NumberedColour(2000 / 9, 199 - 1000 / 9)));
  EXPECT_EQ(canvas.pixel(39, 29), Opaque(NumberedColour(2039 / 9, 199 - 1029 / 9)));
}

TEST_F(PainterDeviceContextTest, PaletteSelectionIsGivenBack) {
  QImage canvas = Canvas(4, 4);
  QPainter painter(&canvas);
  PainterDeviceContext dc(painter);
  LogicalPalette palette{};
  const HPALETTE before = dc.SelectPalette(&palette, false);
  EXPECT_EQ(before, drawing::DefaultPalette());
  EXPECT_EQ(dc.SelectPalette(nullptr, false), nullptr);
  EXPECT_EQ(dc.SelectPalette(before, false), &palette);
}

TEST_F(PainterDeviceContextTest, ScreenDepthComesFromTheScreen) { EXPECT_GE(drawing::QtScreenBitsPerPixel(), 1); }
