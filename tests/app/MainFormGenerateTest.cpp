#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/MainUnit.h"
#include "app/PictureButton.h"
#include "app/ResultBrowser.h"
#include "app/WindowActions.h"

using app::TMainForm;
using apptest::Control;
using apptest::MainFormTest;

class Generation : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    apptest::WriteTemplateSet(folder_, "Einfach");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      apptest::WritePicture(folder_.Path(std::string("pics/") + name), 40, 30);
    DropOnAlbumList({folder_.Path("pics/a.jpg"), folder_.Path("pics/b.jpg"), folder_.Path("pics/c.jpg")});
  }
};

TEST_F(Generation, AWholeRunEndsOnTheResultPage) {
  TMainForm& form = Form();
  Control<QSpinBox>(form, "AnzEd")->setValue(2);
  const std::string overview = folder_.Path("web/neu/album.htm");
  dialogs_.Paths = {overview};
  form.Actions().Generate->trigger();
  ASSERT_EQ(dialogs_.Saves.size(), 1u);
  EXPECT_EQ(dialogs_.Saves[0].Filter, "HTML Dateien (*.htm)|*.htm; *.html");
  EXPECT_EQ(dialogs_.Saves[0].DefaultExtension, "htm");
  EXPECT_FALSE(dialogs_.Saves[0].OverwritePrompt);
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 4);
  EXPECT_EQ(Control<app::ResultBrowser>(form, "WebBrowser1")->Address().toStdString(), "file://" + overview);
  const std::string page = folder_.Read("web/neu/album.htm");
  EXPECT_NE(page.find("./mini/"), std::string::npos);
  auto count = [&](const std::string& what) {
    size_t n = 0;
    for (size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<tr>"), 2u);  // two rows of two, the last filled with one empty cell
  EXPECT_EQ(count("<td><a"), 3u);
  EXPECT_EQ(count("<td></td>"), 1u);
  for (const char* sub : {"web/neu/pics", "web/neu/mini", "web/neu/html"})
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path(sub)), {}), 3) << sub;
  EXPECT_FALSE(Control<app::PictureButton>(form, "GoBtn")->Pressed());
}

TEST_F(Generation, ResultInAFolderWithHashAndPercentIsShownFromThatFolder) {
  TMainForm& form = Form();
  app::ResultBrowser* WebBrowser1 = Control<app::ResultBrowser>(form, "WebBrowser1");
  const std::string overview = folder_.Path("web/Fotos #1 100%25/album.htm");
  dialogs_.Paths = {overview};
  form.Actions().Generate->trigger();
  ASSERT_TRUE(std::filesystem::exists(overview));
  EXPECT_EQ(WebBrowser1->Address().toStdString(), "file://" + overview);
  EXPECT_EQ(app::AddressUrl(WebBrowser1->Address()).toLocalFile().toStdString(), overview);
  EXPECT_EQ(app::AddressUrl("https://example.org/a?b#c"), QUrl("https://example.org/a?b#c"));
}

TEST_F(Generation, CancelledDialogWritesNothing) {
  TMainForm& form = Form();
  form.Actions().Generate->trigger();
  EXPECT_EQ(dialogs_.Saves.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("pics/html")));
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
  EXPECT_TRUE(Control<app::ResultBrowser>(form, "WebBrowser1")->Address().isEmpty());
}

TEST_F(Generation, OverviewThatCannotBeWrittenLeavesTheBrowserAndPageAlone) {
  TMainForm& form = Form();
  std::filesystem::create_directories(folder_.Path("web/album.htm"));
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  form.Actions().Generate->trigger();
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Text, "HTML Datei erstellen: Konnte die Datei album.htm nicht erstellen!");
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_TRUE(std::filesystem::exists(folder_.Path("web/pics/a.jpg")));
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
  EXPECT_TRUE(Control<app::ResultBrowser>(form, "WebBrowser1")->Address().isEmpty());
}

TEST_F(Generation, MissingFragmentStopsBeforeTheDialog) {
  std::filesystem::remove(folder_.Path("template/Einfach/mainend.htm"));
  TMainForm& form = Form();
  form.Actions().Generate->trigger();
  EXPECT_TRUE(dialogs_.Saves.empty());
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Kind, "error");
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
}

TEST_F(Generation, CloseRequestDuringARunIsRefused) {
  TMainForm& form = Form();
  form.show();
  bool closed = true;
  dialogs_.WhileSaveDialogIsOpen = [&] { closed = form.close(); };
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  form.Actions().Generate->trigger();
  EXPECT_FALSE(closed);
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 4);
  EXPECT_TRUE(form.close());
}
