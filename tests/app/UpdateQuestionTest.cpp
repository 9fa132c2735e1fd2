// The question before a run into a folder that holds an earlier build of the
// chosen overview, and what each of its answers does.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/MainUnit.h"
#include "app/StatusBar.h"
#include "app/WindowActions.h"

using apptest::Control;
using apptest::MainFormTest;

class UpdateQuestion : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    apptest::WriteTemplateSet(folder_, "Einfach");
    for (const char* name : {"a.jpg", "b.jpg"})
      apptest::WritePicture(folder_.Path(std::string("pics/") + name), 40, 30);
    DropOnAlbumList({folder_.Path("pics/a.jpg"), folder_.Path("pics/b.jpg")});
  }

  // Runs "Los!" into web/index.htm; `answer` is clicked in the question, if one comes.
  void Run(const QString& answer = {}) {
    dialogs_.Paths = {folder_.Path("web/index.htm")};
    buttons_.clear();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      text_ = box->text();
      for (QAbstractButton* button : box->buttons()) buttons_ << button->text();
      for (QAbstractButton* button : box->buttons())
        if (button->text() == answer) button->click();
    });
    poll.start(10);
    Form().Actions().Generate->trigger();
  }

  std::string StatusText() { return Control<app::TStatusBar>(Form(), "StatusBar1")->Text().toStdString(); }
  size_t FilesIn(const std::string& relative) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder_.Path(relative)), {}));
  }

  QStringList buttons_;
  QString text_;
};

TEST_F(UpdateQuestion, AnEarlierBuildIsUpdatedOnlyWhenTheUserSaysSo) {
  Run();
  EXPECT_TRUE(buttons_.isEmpty());  // nothing to ask about yet
  ASSERT_EQ(FilesIn("web/pics"), 2u);

  Run("Abbrechen");
  EXPECT_EQ(buttons_, (QStringList{"Aktualisieren", "Neues Album daneben", "Abbrechen"}));
  EXPECT_EQ(FilesIn("web/pics"), 2u);
  EXPECT_EQ(StatusText(), "");

  Run("Aktualisieren");
  EXPECT_EQ(StatusText(), "Aktualisiert: 0 Seiten neu, 0 Bilder neu, 0 entfernt, 2 unver\xC3\xA4ndert");
  EXPECT_EQ(FilesIn("web/pics"), 2u);

  Run("Neues Album daneben");
  EXPECT_EQ(StatusText(), "Fertig: 2 Bilder");
  EXPECT_EQ(FilesIn("web/pics"), 4u);
  EXPECT_TRUE(folder_.Exists("web/pics/a0.jpg"));
}

TEST_F(UpdateQuestion, ARecordNotToBeTrustedOffersOnlyANewAlbum) {
  Run();
  folder_.Write("web/.index.htm.lvbuild", "kaputt");
  Run("Abbrechen");
  EXPECT_EQ(buttons_, (QStringList{"Neues Album daneben", "Abbrechen"}));
  EXPECT_TRUE(text_.startsWith("Die Aufzeichnung des früheren Laufs in diesem Ordner ist beschädigt"));
  EXPECT_EQ(FilesIn("web/pics"), 2u);
}
