// A generation run in the window: its closing line, stopping it, the one
// summary of write failures and the "no more" choice for unreadable pictures,
// and what the window allows while it runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <map>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/StatusBar.h"
#include "app/WindowActions.h"
#include "support/HeifFixtures.h"

using app::TMainForm;
using apptest::Control;
using apptest::MainFormTest;
namespace fs = std::filesystem;

namespace {

size_t FilesIn(const std::string& folder) {
  if (!fs::is_directory(folder)) return 0;
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

bool AnyTemporaryFile(const std::string& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
  return false;
}

}  // namespace

class WindowRun : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    apptest::WriteTemplateSet(folder_, "Einfach");
  }
  // Pictures p1.jpg .. pN.jpg, those named in `broken` unreadable.
  void AddPictures(int count, const std::vector<int>& broken = {}) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) {
      const std::string path = folder_.Path("pics/p" + std::to_string(i) + ".jpg");
      if (std::find(broken.begin(), broken.end(), i) != broken.end())
        folder_.Write("pics/p" + std::to_string(i) + ".jpg", "kein Bild");
      else
        apptest::WritePicture(path, 40, 30);
      paths.push_back(path);
    }
    DropOnAlbumList(paths);
  }
  std::string StatusText() { return Control<app::TStatusBar>(Form(), "StatusBar1")->Text().toStdString(); }
};

TEST_F(WindowRun, ClosingLineCountsPicturesMadeAndFailed) {
  AddPictures(3, {2});
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Form().Actions().Generate->trigger();
  EXPECT_EQ(StatusText(), "Fertig: 2 Bilder, 1 fehlgeschlagen");
  const app::TStatusBar* StatusBar1 = Control<app::TStatusBar>(Form(), "StatusBar1");
  EXPECT_EQ(StatusBar1->Progress().Percent(), 100);
  EXPECT_EQ(Control<QTabWidget>(Form(), "PageControl2")->currentIndex(), 4);
  ASSERT_EQ(messages_.Calls.size(), 1u);  // the unreadable picture, as before
  EXPECT_EQ(messages_.Calls[0].Text,
            "Fehler: Folgende Datei konnte nicht ge\xF6"
            "ffnet werden: " +
                folder_.Path("pics/p2.jpg"));
  EXPECT_EQ(messages_.Calls[0].Detail, "Unbekanntes Dateiformat");  // the box's detail text
  EXPECT_FALSE(Control<QPushButton>(Form(), "StopBtn")->isVisible());
  // Done: the bar empties, the closing line stays.
  EXPECT_TRUE(QTest::qWaitFor([&] { return StatusBar1->Progress().Percent() == 0; }, 5000));
  EXPECT_EQ(StatusText(), "Fertig: 2 Bilder, 1 fehlgeschlagen");
}

// Phone pictures, whatever their names, become an album of JPEG copies.
TEST_F(WindowRun, HeicAndAvifPicturesBecomeAnAlbum) {
  const std::string pattern = folder_.Path("muster.png");
  heiffixtures::BlowUp("png-rgb-8.png", "", "PNG24:" + pattern);
  heiffixtures::HeifEnc(pattern, folder_.Path("IMG_0001.HEIC"));
  heiffixtures::HeifEnc(pattern, folder_.Path("IMG_0002.avif"));
  DropOnAlbumList({folder_.Path("IMG_0001.HEIC"), folder_.Path("IMG_0002.avif")});
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Form().Actions().Generate->trigger();
  EXPECT_EQ(StatusText(), "Fertig: 2 Bilder");
  EXPECT_TRUE(messages_.Calls.empty());
  for (const char* copy : {"web/pics/IMG0001.jpg", "web/pics/IMG0002.jpg", "web/mini/IMG0001.jpg"}) {
    imaging::Image image;
    EXPECT_NE(fixtures::Open(image, folder_.Path(copy)).Pixels, nullptr) << copy;
  }
}

TEST_F(WindowRun, ClosingLineOfARunWithoutFailures) {
  AddPictures(1);
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Form().Actions().Generate->trigger();
  EXPECT_EQ(StatusText(), "Fertig: 1 Bild");
  EXPECT_TRUE(messages_.Calls.empty());
}

// The run is held inside the unreadable picture's box; the test looks at the
// window there, tries to change the album, and stops the run.
TEST_F(WindowRun, StopAfterThePicturesInWorkWritesNoOverview) {
  AddPictures(8, {2});
  apptest::WritePicture(folder_.Path("more/extra.jpg"), 40, 30);
  TMainForm& form = Form();
  QToolButton* NewBtn = Control<QToolButton>(form, "NewBtn");
  QTabWidget* PageControl2 = Control<QTabWidget>(form, "PageControl2");
  QPushButton* StopBtn = Control<QPushButton>(form, "StopBtn");
  form.show();
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  bool sawRun = false;
  messages_.WhileShown = [&](const apptest::MessageCall& call) {
    if (call.Text.find("p2.jpg") == std::string::npos) return;
    sawRun = true;
    QTest::qWait(250);  // the progress timer shows where the run is
    EXPECT_EQ(StatusText(), "Bild 2 von 8");
    EXPECT_GT(Control<app::TStatusBar>(form, "StatusBar1")->Progress().Percent(), 0);
    EXPECT_TRUE(StopBtn->isVisible());
    EXPECT_FALSE(NewBtn->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(form, "AddBtn")->isEnabled());
    // Changing the album is refused.
    QWidget* list = List("ImageList")->viewport();
    EXPECT_FALSE(apptest::DropFiles(list, {folder_.Path("more/extra.jpg")}));
    form.Actions().Delete->trigger();
    form.Actions().New->trigger();
    EXPECT_EQ(form.Document().Pictures().size(), 8u);
    PageControl2->setCurrentIndex(1);  // looking around is not
    EXPECT_FALSE(form.close());        // nor is closing
    QTest::mouseClick(StopBtn, Qt::LeftButton);
  };
  form.Actions().Generate->trigger();
  ASSERT_TRUE(sawRun);
  EXPECT_FALSE(fs::exists(folder_.Path("web/album.htm")));
  EXPECT_FALSE(AnyTemporaryFile(folder_.Path("web")));
  const size_t made = FilesIn(folder_.Path("web/pics"));
  EXPECT_GE(made, 1u);
  EXPECT_LT(made, 7u);
  EXPECT_EQ(FilesIn(folder_.Path("web/mini")), made);
  const std::string word = made == 1 ? " Bild wurde" : " Bilder wurden";
  ASSERT_FALSE(messages_.Calls.empty());
  EXPECT_EQ(messages_.Calls.back().Text, "Die Erstellung wurde abgebrochen. " + std::to_string(made) + word +
                                             " erstellt; die \xDC"
                                             "bersichtsseite wurde nicht geschrieben.");
  EXPECT_EQ(StatusText(), "Abgebrochen: " + std::to_string(made) + (made == 1 ? " Bild" : " Bilder") + " erstellt");
  EXPECT_EQ(PageControl2->currentIndex(), 1);  // no result page
  EXPECT_TRUE(NewBtn->isEnabled());
  EXPECT_FALSE(StopBtn->isVisible());
}

// Whatever would change the album is off while a run goes on; afterwards
// each control has the state it had before, so one that was off stays off.
TEST_F(WindowRun, ControlsThatChangeTheAlbumAreOffDuringARunAndAsBeforeAfterIt) {
  AddPictures(3, {2});
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  form.show();
  List("ImageBox")->SetCurrentLine(-1);  // no line chosen: no comment to edit
  const std::vector<std::string> names{"NewBtn", "OpenBtn",     "SaveBtn",     "SaveAsBtn", "AddBtn",
                                       "DelBtn", "UpNow",       "DownNow",     "ImageBox",  "ShowComment",
                                       "GoBtn",  "TemplateBox", "PageControl1"};
  std::map<std::string, bool> before;
  for (const std::string& name : names) before[name] = Control<QWidget>(form, name.c_str())->isEnabled();
  ASSERT_FALSE(before["ShowComment"]);
  ASSERT_TRUE(before["DelBtn"]);
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  bool sawRun = false;
  messages_.WhileShown = [&](const apptest::MessageCall& call) {
    if (call.Text.find("p2.jpg") == std::string::npos || !form.Actions().Running()) return;
    sawRun = true;
    for (const std::string& name : names) EXPECT_FALSE(Control<QWidget>(form, name.c_str())->isEnabled()) << name;
    EXPECT_TRUE(ComMemo->isReadOnly());
  };
  form.Actions().Generate->trigger();
  ASSERT_TRUE(sawRun);
  for (const std::string& name : names)
    EXPECT_EQ(Control<QWidget>(form, name.c_str())->isEnabled(), before[name]) << name;
  EXPECT_FALSE(ComMemo->isReadOnly());
}

// The pool may hold several pictures in work when Escape comes; with eight
// pictures some are still left to skip.
TEST_F(WindowRun, EscapeStopsARunToo) {
  AddPictures(8, {1});
  TMainForm& form = Form();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  messages_.WhileShown = [&](const apptest::MessageCall& call) {
    if (call.Text.find("p1.jpg") != std::string::npos)
      QTest::keyClick(Control<QTabWidget>(form, "PageControl2"), Qt::Key_Escape);
  };
  form.Actions().Generate->trigger();
  EXPECT_FALSE(fs::exists(folder_.Path("web/album.htm")));
  EXPECT_LT(FilesIn(folder_.Path("web/pics")), 7u);
  EXPECT_EQ(messages_.Calls.back().Caption, "Lumivista erstellen");
}

TEST_F(WindowRun, WriteFailuresComeInOneBoxAtTheEnd) {
  AddPictures(12);
  // Files where the copies' and thumbnails' folders belong: 24 files fail.
  folder_.Write("web/pics", "");
  folder_.Write("web/mini", "");
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Form().Actions().Generate->trigger();
  ASSERT_EQ(messages_.Calls.size(), 1u);
  const std::string& text = messages_.Calls[0].Text;
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_EQ(text.rfind("Folgende Dateien konnten nicht erstellt werden:\np1.jpg (JPEG)\n", 0), 0u) << text;
  EXPECT_NE(text.find("\n... und 4 weitere"), std::string::npos) << text;
  EXPECT_EQ(StatusText(), "Fertig: 0 Bilder, 12 fehlgeschlagen");
}

TEST_F(WindowRun, NoMoreUnreadableBoxesAfterTheUserSaysSo) {
  AddPictures(5, {1, 2, 3, 4});
  messages_.QuietAnswers = {true};
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Form().Actions().Generate->trigger();
  ASSERT_EQ(messages_.Calls.size(), 3u);
  EXPECT_EQ(messages_.Calls[0].Kind, "box");
  EXPECT_EQ(messages_.Calls[1].Kind, "quiet?");
  EXPECT_NE(messages_.Calls[1].Text.find("p2.jpg"), std::string::npos);
  EXPECT_EQ(messages_.OptOuts[0], "Weitere nicht lesbare Bilder dieses Laufs erst am Ende auflisten");
  EXPECT_EQ(messages_.Calls[2].Text,
            "Folgende Dateien konnten nicht ge\xF6"
            "ffnet werden:\n" +
                folder_.Path("pics/p3.jpg") + "\n" + folder_.Path("pics/p4.jpg"));
  EXPECT_EQ(StatusText(), "Fertig: 1 Bild, 4 fehlgeschlagen");
}

TEST_F(WindowRun, OverviewDialogStartsInThisAlbumsLastOutputFolder) {
  AddPictures(1);
  folder_.MakeFolder("alben");
  TMainForm& form = Form();
  dialogs_.Paths = {folder_.Path("alben/urlaub.lva")};
  form.Actions().SaveAs->trigger();
  dialogs_.Paths = {folder_.Path("web/sommer/album.htm")};
  form.Actions().Generate->trigger();
  EXPECT_EQ(dialogs_.Saves.back().InitialFolder, folder_.Path("alben/"));  // the album's folder at first
  form.Actions().Generate->trigger();                                      // cancelled
  EXPECT_EQ(dialogs_.Saves.back().InitialFolder, folder_.Path("web/sommer/"));
  // Kept with the album across program starts.
  form_.reset();
  dialogs_.Paths = {folder_.Path("alben/urlaub.lva")};
  Form().Actions().Open->trigger();
  Form().Actions().Generate->trigger();
  EXPECT_EQ(dialogs_.Saves.back().InitialFolder, folder_.Path("web/sommer/"));
  Form().Actions().New->trigger();
  Form().Actions().Generate->trigger();
  EXPECT_NE(dialogs_.Saves.back().InitialFolder, folder_.Path("web/sommer/"));
}
