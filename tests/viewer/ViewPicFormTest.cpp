#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "drawing/DeviceContext.h"
#include "support/RecordingMessages.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PaintBox.h"
#include "viewer/SpinEdit.h"
#include "viewer/ViewPicFUnit.h"

using viewer::TViewPicForm;
using viewer_test::SolidPicture;

namespace {

class ViewPicForm : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<TViewPicForm>(printer, messages); }

  // Opens the viewer for `picture`, runs `whileOpen` inside its modal loop
  // once the paint area has settled, then closes it with "Zurück...".
  // True when the viewer was shown and `whileOpen` ran.
  bool Open(const imaging::RasterImage& picture, const std::function<void()>& whileOpen) {
    bool ran = false;
    QTimer::singleShot(0, form.get(), [&] {
      Settle();
      whileOpen();
      ran = form->isVisible();
      form->ReadyBtn->click();
    });
    const bool shown = form->ShowPicture(picture, "/bilder/test.jpg");
    return shown && ran && !form->isVisible();
  }

  void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  void SetZoom(int zoom) {
    form->ZoomEd->SetValue(zoom);
    Settle();
  }

  QSize PaintSize() const { return form->PaintBox1->size(); }
  QScrollBar& Horizontal() { return *form->ScrollBox1->horizontalScrollBar(); }
  QScrollBar& Vertical() { return *form->ScrollBox1->verticalScrollBar(); }

  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), form->PaintBox1->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(form->PaintBox1, &event);
  }

  void Wheel(QWidget* over, int delta) {
    QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(over, &event);
  }

  QPrinter printer;
  RecordingMessages messages;
  std::unique_ptr<TViewPicForm> form;
};

}  // namespace

TEST_F(ViewPicForm, StartsWithTheDefinedControls) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Bild betrachten..."));
  EXPECT_EQ(form->ReadyBtn->text(), QStringLiteral("Zurück..."));
  EXPECT_EQ(form->PrintBrn->text(), QStringLiteral("&Drucken"));
  EXPECT_EQ(form->OpenBtn->text(), QStringLiteral("Öffnen..."));
  EXPECT_EQ(form->ZoomEd->Value(), 100);
  EXPECT_EQ(form->ZoomEd->Minimum(), 5);
  EXPECT_EQ(form->ZoomEd->Maximum(), 9000);
  EXPECT_TRUE(form->isModal());
}

TEST_F(ViewPicForm, PaintAreaTakesTheZoomedSize) {
  imaging::Image wide = SolidPicture(101, 60, {0, 0, 255});
  EXPECT_TRUE(Open(*wide, [&] {
    EXPECT_EQ(PaintSize(), QSize(101, 60));
    SetZoom(50);
    EXPECT_EQ(PaintSize(), QSize(50, 30));
    const QImage drawn = form->PaintBox1->grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 29), QPoint(49, 29)})
      EXPECT_EQ(drawn.pixel(p) & 0xFFFFFF, 0x0000FFu) << p.x() << "," << p.y();
  }));
  EXPECT_TRUE(messages.Calls.empty());
}

TEST_F(ViewPicForm, PaletteDisplayShowsAHalftonedPicture) {
  const drawing::ScreenDepthQuery previous = drawing::SetScreenBitsPerPixelQuery([] { return 8; });
  imaging::Image grey = SolidPicture(16, 16, {128, 128, 128});
  QImage drawn;
  const bool opened = Open(*grey, [&] { drawn = form->PaintBox1->grab().toImage(); });
  drawing::SetScreenBitsPerPixelQuery(previous);
  ASSERT_TRUE(opened);
  ASSERT_EQ(drawn.size(), QSize(16, 16));
  EXPECT_TRUE(viewer_test::ShowsDitheredGrey(drawn, drawn.rect()));
}

TEST_F(ViewPicForm, SmallestZoomCanLeaveNothingToDraw) {
  imaging::Image small = SolidPicture(30, 30, {0, 0, 255});
  imaging::Image tiny = SolidPicture(10, 10, {0, 0, 255});
  form->ZoomEd->SetValue(5);
  EXPECT_TRUE(Open(*small, [&] { EXPECT_EQ(PaintSize(), QSize(1, 1)); }));
  EXPECT_TRUE(Open(*tiny, [&] {
    EXPECT_EQ(PaintSize(), QSize(0, 0));
    // Back from nothing: both sides are set, although a 0-sized area gets no paint.
    SetZoom(100);
    EXPECT_EQ(PaintSize(), QSize(10, 10));
  }));
}

TEST_F(ViewPicForm, PictureWithoutPixelsIsReportedAndNotShown) {
  imaging::RasterImage empty = imaging::EmptyRasterImage();
  bool shown = false;
  QTimer::singleShot(0, form.get(), [&] {
    shown = form->isVisible();
    form->reject();
  });
  EXPECT_FALSE(form->ShowPicture(empty, "/bilder/kaputt.jpg"));
  QCoreApplication::processEvents();
  EXPECT_FALSE(shown);
  ASSERT_EQ(messages.Calls.size(), 1u);
  EXPECT_EQ(messages.Calls[0].Text,
            "Konnte die Bilddatei nicht \xF6"
            "ffnen!");
  EXPECT_EQ(messages.Calls[0].Caption, "Fehler");
  EXPECT_EQ(messages.Calls[0].Icon, platform::MessageIcon::Error);
}

TEST_F(ViewPicForm, DraggingStopsAtTheEdges) {
  imaging::Image big = SolidPicture(2000, 1500, {10, 200, 10});
  EXPECT_TRUE(Open(*big, [&] {
    ASSERT_GT(Horizontal().maximum(), 0);
    Horizontal().setValue(300);
    Vertical().setValue(200);
    // Pointer right by 100: the content follows, showing what lies left of it.
    Mouse(QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {500, 300}, Qt::LeftButton);
    EXPECT_EQ(Horizontal().value(), 200);
    EXPECT_EQ(Vertical().value(), 200);
    // Far right beyond the picture's left edge: stops at 0.
    Mouse(QEvent::MouseMove, {5000, 300}, Qt::LeftButton);
    EXPECT_EQ(Horizontal().value(), 0);
    // Far up (content down) stops at the bottom edge; horizontal stays.
    Mouse(QEvent::MouseButtonRelease, {0, 0}, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, {100, 500}, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {100, -9000}, Qt::LeftButton);
    EXPECT_EQ(Vertical().value(), Vertical().maximum());
    EXPECT_EQ(Horizontal().value(), 0);
    // After the release a move does nothing.
    Mouse(QEvent::MouseButtonRelease, {100, -9000}, Qt::NoButton);
    Mouse(QEvent::MouseMove, {100, 9000}, Qt::NoButton);
    EXPECT_EQ(Vertical().value(), Vertical().maximum());
  }));
}

TEST_F(ViewPicForm, WheelScrollsTwentyPixelsAndStopsAtTheBottom) {
  imaging::Image big = SolidPicture(2000, 1500, {10, 200, 10});
  EXPECT_TRUE(Open(*big, [&] {
    Vertical().setValue(100);
    Wheel(form->ScrollBox1->viewport(), -120);
    EXPECT_EQ(Vertical().value(), 120);
    Wheel(form->ScrollBox1->viewport(), 120);
    Wheel(form->ScrollBox1->viewport(), 120);
    EXPECT_EQ(Vertical().value(), 80);
    // Over the zoom field the wheel scrolls too and leaves the zoom alone.
    Wheel(form->ZoomEd, -120);
    EXPECT_EQ(Vertical().value(), 100);
    EXPECT_EQ(form->ZoomEd->Value(), 100);
    // Half notches add up to one step.
    Wheel(form->PaintBox1, -60);
    EXPECT_EQ(Vertical().value(), 100);
    Wheel(form->PaintBox1, -60);
    EXPECT_EQ(Vertical().value(), 120);
    Vertical().setValue(Vertical().maximum());
    Wheel(form->ScrollBox1->viewport(), -120);
    EXPECT_EQ(Vertical().value(), Vertical().maximum());
    EXPECT_EQ(Horizontal().value(), 0);
  }));
}

TEST_F(ViewPicForm, ZoomChangeKeepsScrollPositionsWithinTheNewExtent) {
  imaging::Image big = SolidPicture(2000, 1500, {10, 200, 10});
  EXPECT_TRUE(Open(*big, [&] {
    Horizontal().setValue(400);
    Vertical().setValue(300);
    SetZoom(200);
    EXPECT_EQ(Horizontal().value(), 400);
    EXPECT_EQ(Vertical().value(), 300);
    SetZoom(40);  // 800 x 600: only a little left to scroll
    EXPECT_EQ(Horizontal().value(), Horizontal().maximum());
    EXPECT_LT(Horizontal().maximum(), 400);
  }));
}

TEST_F(ViewPicForm, ReopeningKeepsZoomAndScrollPositions) {
  imaging::Image big = SolidPicture(2000, 1500, {10, 200, 10});
  EXPECT_TRUE(Open(*big, [&] {
    SetZoom(150);
    Horizontal().setValue(500);
    Vertical().setValue(250);
  }));
  EXPECT_TRUE(Open(*big, [&] {
    EXPECT_EQ(form->Picture(), &*big);  // the caller's picture, not a copy
    EXPECT_EQ(form->ZoomEd->Value(), 150);
    EXPECT_EQ(PaintSize(), QSize(3000, 2250));
    EXPECT_EQ(Horizontal().value(), 500);
    EXPECT_EQ(Vertical().value(), 250);
  }));
  EXPECT_EQ(form->FileName(), "/bilder/test.jpg");
  EXPECT_EQ(form->Picture(), nullptr) << "a closed viewer keeps no picture";
}

TEST(SpinEdit, FollowsTheDesktopRulesForTypedText) {
  viewer::SpinEdit zoom(5, 9000, 10, 100);
  int changes = 0;
  QObject::connect(&zoom, &viewer::SpinEdit::Changed, [&] { ++changes; });
  QLineEdit* text = zoom.findChild<QLineEdit*>();
  ASSERT_NE(text, nullptr);
  text->setText(QStringLiteral("abc"));
  EXPECT_EQ(zoom.Value(), 5);
  text->setText(QStringLiteral("20000"));
  EXPECT_EQ(zoom.Value(), 20000);  // kept as typed while the field has the focus
  QFocusEvent leave(QEvent::FocusOut);
  QCoreApplication::sendEvent(&zoom, &leave);
  EXPECT_EQ(zoom.Value(), 9000);
  zoom.SetValue(1);
  EXPECT_EQ(zoom.Value(), 5);
  zoom.stepBy(1);
  EXPECT_EQ(zoom.Value(), 15);
  zoom.SetValue(8995);
  zoom.stepBy(1);
  EXPECT_EQ(zoom.Value(), 9000);
  EXPECT_EQ(changes, 7);
  zoom.SetValue(9000);
  EXPECT_EQ(changes, 7);  // the same value changes nothing
}
