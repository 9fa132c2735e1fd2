#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include "AppTestSupport.h"
#include "app/AboutBoxUnit.h"
#include "app/ColorBox.h"
#include "app/MainUnit.h"
#include "app/PictureButton.h"

using app::TMainForm;
using apptest::Control;

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

TEST(PictureButton, PressShowsThePressedImageAndDragOffShowsTheRaisedOne) {
  app::PictureButton button(app::PictureButtonFace("X", Qt::red, QSize(40, 20), false),
                            app::PictureButtonFace("X", Qt::red, QSize(40, 20), true), "Hinweis", "Up", "Down");
  int clicks = 0;
  button.SetAction([&] { ++clicks; });
  EXPECT_FALSE(button.RaisedImage()->isHidden());
  EXPECT_TRUE(button.PressedImage()->isHidden());
  EXPECT_EQ(button.RaisedImage()->toolTip(), "Hinweis");

  SendMouse(&button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
  EXPECT_TRUE(button.Pressed());
  EXPECT_TRUE(button.RaisedImage()->isHidden());
  SendMouse(&button, QEvent::MouseMove, {40, 5}, Qt::LeftButton);  // x == width is outside
  EXPECT_FALSE(button.RaisedImage()->isHidden());
  SendMouse(&button, QEvent::MouseMove, {39, 19}, Qt::LeftButton);
  EXPECT_TRUE(button.RaisedImage()->isHidden());
  SendMouse(&button, QEvent::MouseMove, {10, -1}, Qt::LeftButton);
  SendMouse(&button, QEvent::MouseButtonRelease, {10, -1}, Qt::NoButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.RaisedImage()->isHidden());

  SendMouse(&button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
  SendMouse(&button, QEvent::MouseButtonRelease, {6, 6}, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.RaisedImage()->isHidden());
}

TEST(PictureButton, RightButtonPressesButDoesNotClick) {
  app::PictureButton button(app::PictureButtonFace("X", Qt::red, QSize(40, 20), false),
                            app::PictureButtonFace("X", Qt::red, QSize(40, 20), true), "Hinweis", "Up", "Down");
  int clicks = 0;
  button.SetAction([&] { ++clicks; });
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&button, &press);
  EXPECT_TRUE(button.Pressed());
  EXPECT_TRUE(button.RaisedImage()->isHidden());
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&button, &release);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.RaisedImage()->isHidden());
}

TEST(PictureButton, MoveWithoutPressDoesNothing) {
  app::PictureButton button(app::PictureButtonFace("X", Qt::red, QSize(40, 20), false),
                            app::PictureButtonFace("X", Qt::red, QSize(40, 20), true), "Hinweis", "Up", "Down");
  button.MouseMove(5, 5);
  EXPECT_FALSE(button.RaisedImage()->isHidden());
  button.MouseDown();
  button.Click();  // a click may arrive before the release
  EXPECT_FALSE(button.Pressed());
  EXPECT_FALSE(button.RaisedImage()->isHidden());
}

using ExitButton = apptest::MainFormTest;

TEST_F(ExitButton, DraggingOffAndReleasingDoesNotClose) {
  TMainForm& form = Form();
  form.show();
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton);
  EXPECT_FALSE(Control<QLabel>(form, "EndeBtnDown")->isHidden());
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseMove, {-30, 3}, Qt::LeftButton);
  EXPECT_FALSE(Control<QLabel>(form, "EndeBtn")->isHidden());
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseMove, {3, 3}, Qt::LeftButton);
  EXPECT_FALSE(Control<QLabel>(form, "EndeBtnDown")->isHidden());
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseMove, {-30, 3}, Qt::LeftButton);
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseButtonRelease, {-30, 3}, Qt::NoButton);
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(Control<QLabel>(form, "EndeBtn")->isHidden());
}

TEST_F(ExitButton, ClickAsksAndCancelKeepsTheWindow) {
  TMainForm& form = Form();
  form.show();
  messages_.Answers = {false};
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton);
  SendMouse(Control<app::PictureButton>(form, "EndeButton"), QEvent::MouseButtonRelease, {3, 3}, Qt::NoButton);
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Caption, "Programm beenden");
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(Control<QLabel>(form, "EndeBtn")->isHidden());
}

TEST(ColorBox, StandardEntriesDialogEntryAndHtmlText) {
  app::TColorBox box;
  EXPECT_EQ(box.count(), 17);
  EXPECT_EQ(box.HTMLcolor(), "#000000");
  box.SetColorValue(0xC0C0C0);
  EXPECT_EQ(box.HTMLcolor(), "#C0C0C0");
  EXPECT_EQ(box.currentText(), "Silber");
  box.SetHTMLcolor("#ff0000");
  EXPECT_EQ(box.ColorValue(), 0x0000FFu);
  EXPECT_EQ(box.HTMLcolor(), "#FF0000");
  box.SetHTMLcolor("#GG0000");  // not hexadecimal: the previous colour stays
  EXPECT_EQ(box.HTMLcolor(), "#FF0000");

  box.PickColour = [](QColor) { return std::optional<QColor>(QColor(0x12, 0x34, 0x56)); };
  emit box.activated(app::TColorBox::kDialogEntry);
  EXPECT_EQ(box.HTMLcolor(), "#123456");
  EXPECT_EQ(box.currentText(), "#123456");
  box.PickColour = [](QColor) { return std::optional<QColor>(); };
  emit box.activated(app::TColorBox::kDialogEntry);
  EXPECT_EQ(box.HTMLcolor(), "#123456");
  emit box.activated(15);
  EXPECT_EQ(box.HTMLcolor(), "#FFFFFF");
  EXPECT_EQ(box.count(), 17);
}

TEST(AboutBox, CaptionAndYear) {
  EXPECT_TRUE(app::AboutText(2031).contains("2031"));
  EXPECT_FALSE(app::AboutText(2031).contains("%YEAR%"));
  app::TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "Info");
  EXPECT_EQ(box.OKButton->text(), "OK");
}

TEST(ApplicationTitle, NamesTheProgramWithoutAddingItToWindowCaptions) {
  const QString name = QCoreApplication::applicationName();
  app::SetApplicationTitle();
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Web Lumivista 2.0");
  // Only an explicitly set display name outlives a change of the name; the
  // desktop appends that one to the main window's caption and every box's.
  QCoreApplication::setApplicationName("anders");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "anders");
  QCoreApplication::setApplicationName(name);
}
