#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/ColorBox.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/WindowActions.h"

using app::TMainForm;
using apptest::CheckState;
using apptest::Control;
using apptest::MainFormTest;

class AlbumFiles : public MainFormTest {
 protected:
  void AddTwo() {
    apptest::WritePicture(folder_.Path("a.jpg"), 4, 4);
    apptest::WritePicture(folder_.Path("b.jpg"), 4, 4);
    DropOnAlbumList({folder_.Path("a.jpg"), folder_.Path("b.jpg")});
  }
};

TEST_F(AlbumFiles, SaveAsAsksForAFileAndSaveThenWritesWithoutDialog) {
  AddTwo();
  TMainForm& form = Form();
  form.Actions().Save->trigger();  // never saved: the dialog, cancelled
  ASSERT_EQ(dialogs_.Saves.size(), 1u);
  const platform::FileDialogOptions& options = dialogs_.Saves[0];
  EXPECT_EQ(options.Filter, "Web Lumivista-Dateien|*.lva");
  EXPECT_EQ(options.DefaultExtension, "lva");
  EXPECT_TRUE(options.OverwritePrompt);
  EXPECT_EQ(options.InitialFolder, folder_.Path());
  EXPECT_FALSE(form.Document().Path().has_value());
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("Urlaub.lva")));

  dialogs_.Paths = {folder_.Path("Urlaub.lva")};
  form.Actions().SaveAs->trigger();
  EXPECT_EQ(form.Document().Path(), folder_.Path("Urlaub.lva"));
  EXPECT_EQ(form.windowTitle().toStdString(), "Vendrix Web Lumivista 2.0 - [Urlaub.lva]");
  const std::string first = folder_.Read("Urlaub.lva");
  EXPECT_EQ(first.substr(0, 25), "Vendrix Web Lumivista 1.0");

  Control<QLineEdit>(form, "CaptionED")->setText("Neu");
  form.Actions().Save->trigger();
  EXPECT_EQ(dialogs_.Saves.size(), 2u);
  EXPECT_NE(folder_.Read("Urlaub.lva"), first);
  EXPECT_TRUE(messages_.Calls.empty());
}

TEST_F(AlbumFiles, SavingIntoAMissingFolderReportsAndKeepsTheName) {
  AddTwo();
  TMainForm& form = Form();
  EXPECT_FALSE(SaveAlbumAs(folder_.Path("fehlt/x.lva")));
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_FALSE(form.Document().Path().has_value());
  EXPECT_EQ(form.windowTitle().toStdString(), "Vendrix Web Lumivista 2.0 - [Unbenannt.lva]");
}

TEST_F(AlbumFiles, OpenReplacesTheAlbumAndTheStoredSettingsOnly) {
  AddTwo();
  TMainForm& form = Form();
  app::TColorBox* BKColorBox2 = Control<app::TColorBox>(form, "BKColorBox2");
  QSpinBox* BreitEd = Control<QSpinBox>(form, "BreitEd");
  QLineEdit* CaptionED = Control<QLineEdit>(form, "CaptionED");
  QCheckBox* backlink = Control<QCheckBox>(form, "backlink");
  form.Document().EditEntries([](album::AlbumPictures& pictures) {
    pictures[1].Comment = "Zeile 1\r\nZeile 2";
    pictures[1].Marked = 0;
  });
  CaptionED->setText(
      "Gr\xC3\xB6\xC3\x9F"
      "e");
  BreitEd->setValue(120);
  BKColorBox2->SetColorValue(0x0000FF);
  ASSERT_TRUE(SaveAlbumAs(folder_.Path("album.lva")));

  form.Actions().New->trigger();
  CaptionED->setText("anders");
  BreitEd->setValue(90);
  BKColorBox2->SetColorValue(0xFFFFFF);
  backlink->setChecked(false);
  messages_.Calls.clear();

  messages_.Answers = {false};
  const size_t dialogsShown = dialogs_.Shown.size();
  form.Actions().Open->trigger();
  EXPECT_EQ(dialogs_.Shown.size(), dialogsShown);
  EXPECT_EQ(messages_.Calls.at(0).Caption,
            "Datei/\xD6"
            "ffnen");

  dialogs_.Paths = {folder_.Path("album.lva")};
  form.Actions().Open->trigger();
  ASSERT_EQ(form.Document().Pictures().size(), 2u);
  EXPECT_EQ(form.Document().Pictures()[0].FileName, folder_.Path("a.jpg"));
  EXPECT_EQ(form.Document().Pictures()[1].Comment, "Zeile 1\r\nZeile 2");
  EXPECT_EQ(form.Document().Pictures()[1].Marked, 0);
  EXPECT_EQ(CheckState(List("ImageBox"), 1), Qt::Unchecked);
  EXPECT_EQ(CaptionED->text().toStdString(),
            "Gr\xC3\xB6\xC3\x9F"
            "e");
  EXPECT_EQ(BreitEd->value(), 120);
  EXPECT_EQ(BKColorBox2->HTMLcolor(), "#FF0000");
  EXPECT_FALSE(backlink->isChecked());
  EXPECT_EQ(form.windowTitle().toStdString(), "Vendrix Web Lumivista 2.0 - [album.lva]");
  EXPECT_EQ(form.Document().Path(), folder_.Path("album.lva"));
  // Showing the album's marks and comments is no change to it; editing one is.
  EXPECT_FALSE(form.Document().Modified());
  List("ImageBox")->SetCurrentLine(0);
  QTest::keyClick(List("ImageBox"), Qt::Key_Space);
  EXPECT_TRUE(form.Document().Modified());
}

// The page shows the album's settings and edits them there; typing keeps
// its place, and a setting alone leaves a saved album saved.
TEST_F(AlbumFiles, SettingsPageEditsTheAlbumsSettings) {
  AddTwo();
  TMainForm& form = Form();
  form.show();
  ASSERT_TRUE(SaveAlbumAs(folder_.Path("album.lva")));
  QLineEdit* CaptionED = Control<QLineEdit>(form, "CaptionED");
  CaptionED->setFocus();
  CaptionED->setCursorPosition(3);
  QTest::keyClicks(CaptionED, "-Album");
  EXPECT_EQ(form.Document().Settings().Caption, "Web-Album Lumivista");
  EXPECT_EQ(CaptionED->cursorPosition(), 9);
  Control<QSpinBox>(form, "Border2ED")->setValue(7);
  Control<app::TColorBox>(form, "BKColorBox")->SetColorValue(0x00FF00);
  Control<QCheckBox>(form, "backlink")->setChecked(false);
  EXPECT_EQ(form.Document().Settings().DetailBorder, 7);
  EXPECT_EQ(form.Document().Settings().BackgroundColour, 0x00FF00u);
  EXPECT_FALSE(form.Document().Settings().Backlink);
  EXPECT_FALSE(form.Document().Modified());

  form.Actions().Save->trigger();
  album::AlbumSettings defaults;
  defaults.Backlink = false;
  form.Document().SetSettings(defaults);  // as an album read from a file
  EXPECT_EQ(CaptionED->text().toStdString(), "Web Lumivista");
  EXPECT_EQ(Control<QSpinBox>(form, "Border2ED")->value(), 3);
  EXPECT_EQ(Control<app::TColorBox>(form, "BKColorBox")->HTMLcolor(), "#C0C0C0");
  OpenAlbum(folder_.Path("album.lva"));
  EXPECT_EQ(CaptionED->text().toStdString(), "Web-Album Lumivista");
  EXPECT_EQ(Control<QSpinBox>(form, "Border2ED")->value(), 7);
  EXPECT_EQ(form.Document().Settings().BackgroundColour, 0x00FF00u);
}

TEST_F(AlbumFiles, AFileThatIsNoAlbumChangesNothing) {
  AddTwo();
  TMainForm& form = Form();
  folder_.Write("falsch.lva", "vendrix web lumivista 1.0 and more");
  OpenAlbum(folder_.Path("falsch.lva"));
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Text, "Die Datei ist keine g\xFCltige \"Web Lumivista 1\"-Datei!");
  EXPECT_EQ(form.Document().Pictures().size(), 2u);
  EXPECT_FALSE(form.Document().Path().has_value());
  OpenAlbum(folder_.Path("fehlt.lva"));
  EXPECT_EQ(messages_.Calls.size(), 2u);
  EXPECT_FALSE(form.Document().Path().has_value());
  EXPECT_EQ(List("ImageList")->LineCount(), 2);
}

// The design is kept per album file in the user's settings: the album file
// stays byte for byte as before, and a later program start finds the design
// again when the album is opened.
TEST_F(AlbumFiles, DesignIsRememberedPerAlbumAcrossProgramStarts) {
  apptest::WriteTemplateSet(folder_, "Einfach");
  apptest::WriteTemplateSet(folder_, "Modern");
  AddTwo();
  QComboBox* designs = Control<QComboBox>(Form(), "TemplateBox");
  ASSERT_EQ(designs->currentText(), "Einfach");
  ASSERT_TRUE(SaveAlbumAs(folder_.Path("einfach.lva")));
  designs->setCurrentText("Modern");
  ASSERT_TRUE(SaveAlbumAs(folder_.Path("modern.lva")));
  EXPECT_EQ(folder_.Read("modern.lva"), folder_.Read("einfach.lva"));

  form_.reset();  // the next program start
  OpenAlbum(folder_.Path("modern.lva"));
  ASSERT_EQ(Form().Document().Path(), folder_.Path("modern.lva"));
  EXPECT_EQ(Control<QComboBox>(Form(), "TemplateBox")->currentText(), "Modern");
  OpenAlbum(folder_.Path("einfach.lva"));
  ASSERT_EQ(Form().Document().Path(), folder_.Path("einfach.lva"));
  EXPECT_EQ(Control<QComboBox>(Form(), "TemplateBox")->currentText(), "Einfach");
  EXPECT_TRUE(messages_.Calls.empty());
}
