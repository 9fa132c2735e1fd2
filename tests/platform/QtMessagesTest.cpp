// The window's message box keeps the message's own text and shows the
// reason below it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/qt/QtMessages.h"
#include "support/GuiApplication.h"

TEST(QtMessages, DetailTextShowsBelowTheUnchangedMessage) {
  EnsureGuiApplication();
  QString text, detail;
  // The box is modal: it is read and closed from the event loop it runs.
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    detail = box->informativeText();
    box->accept();
  });
  platform::QtMessages().MessageBoxWithDetail(
      "Fehler: Folgende Datei konnte nicht ge\xF6"
      "ffnet werden: /a/b.jpg",
      "Das Bild ist zu gro\xDF", "", platform::MessageIcon::Error);
  EXPECT_EQ(text.toStdString(), "Fehler: Folgende Datei konnte nicht geöffnet werden: /a/b.jpg");
  EXPECT_EQ(detail.toStdString(), "Das Bild ist zu groß");
}
