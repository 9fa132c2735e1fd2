// Everyday comforts of the main window: the keyboard alone, recent albums,
// the command line, the filter and folder tree, and names and text the album
// cannot hold.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/FolderBrowser.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/PictureButton.h"
#include "app/ShellListView.h"
#include "app/StatusBar.h"
#include "app/WindowActions.h"
#include "platform/Paths.h"

using app::TMainForm;
using apptest::Control;
using apptest::MainFormTest;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Typing text as a keyboard with such keys would.
void Type(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
}

QString KeyText(QKeySequence::StandardKey key) {
  return QKeySequence::keyBindings(key).value(0).toString(QKeySequence::NativeText);
}

}  // namespace

class Keyboard : public MainFormTest {
 protected:
  TMainForm& ShownForm() {
    TMainForm& form = Form();
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    return form;
  }
};

TEST_F(Keyboard, AWholeAlbumFromTheKeyboardAlone) {
  apptest::WriteTemplateSet(folder_, "Einfach");
  for (const char* name : {"pics/a.jpg", "pics/b.jpg"}) apptest::WritePicture(folder_.Path(name), 40, 30);
  TMainForm& form = ShownForm();
  app::PictureButton* GoBtn = Control<app::PictureButton>(form, "GoBtn");
  QTabWidget* PageControl2 = Control<QTabWidget>(form, "PageControl2");
  ShowFolder(folder_.Path("pics"), 2);
  Control<app::ShellListView>(form, "JamShellList1")->setFocus();
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_H, Qt::AltModifier);  // "&Hinzufügen", which clicks after showing itself pressed
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Document().Pictures().size() == 2; }, 2000));

  for (int i = 0; i < 3; ++i) Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(PageControl2->currentIndex(), 3);
  Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(PageControl2->currentIndex(), 2);
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(PageControl2->currentIndex(), 3);
  Key(Qt::Key_PageUp, Qt::ControlModifier);
  Key(Qt::Key_PageDown, Qt::ControlModifier);

  GoBtn->setFocus();  // "Los!" takes the focus and acts on Space; the dialog is cancelled here
  ASSERT_TRUE(GoBtn->hasFocus());
  Key(Qt::Key_Space);
  EXPECT_EQ(dialogs_.Saves.size(), 1u);
  EXPECT_FALSE(GoBtn->Pressed());
  dialogs_.Paths = {folder_.Path("web/album.htm")};
  Key(Qt::Key_F9);
  EXPECT_EQ(dialogs_.Saves.size(), 2u);
  EXPECT_TRUE(fs::exists(folder_.Path("web/album.htm")));
  EXPECT_EQ(PageControl2->currentIndex(), 4);

  dialogs_.Paths = {folder_.Path("album.lva")};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(fs::exists(folder_.Path("album.lva")));
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(form.Document().Pictures().empty());
  dialogs_.Paths = {folder_.Path("album.lva")};
  Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(form.Document().Pictures().size(), 2u);

  messages_.Answers = {false};
  Control<app::PictureButton>(form, "EndeButton")->setFocus();
  Key(Qt::Key_Return);
  EXPECT_EQ(messages_.Calls.back().Caption, "Programm beenden");
  EXPECT_TRUE(form.isVisible());
}

// The tool row can be hidden from the window's context menu; its keys stay.
TEST_F(Keyboard, StandardKeysWorkWithTheToolRowHidden) {
  TMainForm& form = ShownForm();
  Control<QWidget>(form, "ToolRow")->hide();
  List("ImageList")->setFocus();
  dialogs_.Paths = {folder_.Path("neu.lva")};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(form.Document().Path(), folder_.Path("neu.lva"));
}

TEST_F(Keyboard, TooltipsNameTheKeys) {
  TMainForm& form = Form();
  EXPECT_EQ(Control<QToolButton>(form, "NewBtn")->toolTip(),
            "Neues Album erstellen (" + KeyText(QKeySequence::New) + ")");
  EXPECT_EQ(Control<QToolButton>(form, "OpenBtn")->toolTip(), "Album öffnen... (" + KeyText(QKeySequence::Open) + ")");
  EXPECT_EQ(Control<QToolButton>(form, "SaveBtn")->toolTip(), "Album speichern (" + KeyText(QKeySequence::Save) + ")");
  EXPECT_TRUE(Control<QToolButton>(form, "SaveAsBtn")->toolTip().startsWith("Album speichern unter... ("));
  EXPECT_EQ(Control<QLabel>(form, "GoBtn1")->toolTip(), "HTML-Dateien erstellen! (F9)");
  for (const char* button : {"GoBtn", "EndeButton", "ueberButton"})
    EXPECT_EQ(Control<app::PictureButton>(form, button)->focusPolicy(), Qt::StrongFocus) << button;
}

using RecentAlbumList = MainFormTest;

TEST_F(RecentAlbumList, KeptAcrossTwoProgramStartsAndOpenedWithOneClick) {
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 8, 6);
  folder_.MakeFolder("alben");
  DropOnAlbumList({folder_.Path("pics/a.jpg")});
  for (const char* name : {"alben/eins.lva", "alben/zwei.lva"}) ASSERT_TRUE(SaveAlbumAs(folder_.Path(name)));
  form_.reset();

  TMainForm& form = Form();
  QMenu* RecentMenu = Control<QMenu>(form, "RecentMenu");
  emit RecentMenu->aboutToShow();
  QList<QAction*> entries = RecentMenu->actions();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0]->text().toStdString(), folder_.Path("alben/zwei.lva"));
  EXPECT_EQ(entries[1]->text().toStdString(), folder_.Path("alben/eins.lva"));
  entries[1]->trigger();
  EXPECT_EQ(form.Document().Path(), folder_.Path("alben/eins.lva"));
  EXPECT_EQ(form.Document().Pictures().size(), 1u);
  form.Actions().Open->trigger();  // cancelled; it starts where the album is
  EXPECT_EQ(dialogs_.Shown.back().InitialFolder, folder_.Path("alben/"));

  fs::remove(folder_.Path("alben/zwei.lva"));
  emit RecentMenu->aboutToShow();
  RecentMenu->actions()[1]->trigger();
  EXPECT_NE(messages_.Calls.back().Text.find("zwei.lva gibt es nicht mehr"), std::string::npos);
  emit RecentMenu->aboutToShow();
  ASSERT_EQ(RecentMenu->actions().size(), 1);
  EXPECT_EQ(form.Document().Path(), folder_.Path("alben/eins.lva"));
  form_.reset();
  RecentMenu = Control<QMenu>(Form(), "RecentMenu");
  emit RecentMenu->aboutToShow();
  ASSERT_EQ(RecentMenu->actions().size(), 1);
  EXPECT_EQ(RecentMenu->actions()[0]->text().toStdString(), folder_.Path("alben/eins.lva"));
  Form().Actions().SaveAs->trigger();  // a new program start: the last album's folder
  EXPECT_EQ(dialogs_.Shown.back().InitialFolder, folder_.Path("alben/"));
}

using CommandLine = MainFormTest;

TEST_F(CommandLine, OpensTheAlbumGivenAfterTheProgramName) {
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 8, 6);
  DropOnAlbumList({folder_.Path("pics/a.jpg")});
  ASSERT_TRUE(SaveAlbumAs(folder_.Path("mein album.lva")));
  form_.reset();
  Form().OpenFromCommandLine({"lumivista"});
  EXPECT_FALSE(Form().Document().Path().has_value());
  Form().OpenFromCommandLine({"lumivista", "-style=fusion", QString::fromStdString(folder_.Path("mein album.lva"))});
  EXPECT_EQ(Form().Document().Path(), folder_.Path("mein album.lva"));
  EXPECT_EQ(Form().Document().Pictures().size(), 1u);
  EXPECT_TRUE(messages_.Calls.empty());

  Form().OpenFromCommandLine({"lumivista", QString::fromStdString(folder_.Path("fehlt.lva"))});
  EXPECT_FALSE(messages_.Calls.empty());
  EXPECT_EQ(Form().Document().Path(), folder_.Path("mein album.lva"));
  messages_.Calls.clear();
  Form().OpenFromCommandLine({"lumivista", QString::fromStdString(folder_.Path("")) + "Fotos \U0001F600.lva"});
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_NE(messages_.Calls[0].Text.find("Fotos <U+1F600>.lva"), std::string::npos);
}

using SourcePane = MainFormTest;

TEST_F(SourcePane, TheFilterShownAtStartIsApplied) {
  for (const char* name : {"pics/run.sh", "pics/data.json", "pics/album.lva"}) folder_.Write(name, "x");
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 4, 4);
  ShowFolder(folder_.Path("pics"), 1);
  EXPECT_EQ(Control<QComboBox>(Form(), "FilterComboBox1")->currentIndex(), 0);
  const app::ShellListView* list = Control<app::ShellListView>(Form(), "JamShellList1");
  EXPECT_EQ(list->model()->index(0, 0, list->rootIndex()).data().toString(), "a.jpg");
}

TEST_F(SourcePane, TheTreeKeepsItsPlaceWhileTheModelLoads) {
  for (int i = 0; i < 80; ++i) folder_.MakeFolder("baum/d" + std::to_string(100 + i));
  TMainForm& form = Form();
  QTreeView* JamShellTree1 = Control<QTreeView>(form, "JamShellTree1");
  form.resize(900, 500);
  form.show();
  Folders().SelectFolder(folder_.Path("baum/d105"));
  auto* model = qobject_cast<QFileSystemModel*>(JamShellTree1->model());
  const QModelIndex parent = model->index(QString::fromStdString(folder_.Path("baum")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(parent) == 80; }, 5000));
  QTest::qWait(100);
  JamShellTree1->setFocus();
  for (int i = 0; i < 4; ++i) QTest::keyClick(JamShellTree1, Qt::Key_PageDown);
  const std::string moved = Folders().SelectedFolder();
  const int scrolled = JamShellTree1->verticalScrollBar()->value();
  ASSERT_NE(moved, folder_.Path("baum/d105"));
  // Folders read later (the model re-reads them when they change) must not
  // bring the first folder back into view.
  emit model->directoryLoaded(QString::fromStdString(folder_.Path("baum")));
  emit model->directoryLoaded("/");
  QTest::qWait(50);
  EXPECT_EQ(Folders().SelectedFolder(), moved);
  EXPECT_EQ(JamShellTree1->verticalScrollBar()->value(), scrolled);
}

using UnfitText = MainFormTest;

TEST_F(UnfitText, PicturesWindows1252CannotNameAreRefusedAndFoldersNeverAdded) {
  apptest::WritePicture(folder_.Path("pics/b.jpg"), 4, 4);
  fs::copy_file(folder_.Path("pics/b.jpg"), folder_.Path("pics") + "/Urlaub \xF0\x9F\x98\x80.jpg");
  folder_.MakeFolder("pics/unter");
  ShowFolder(folder_.Path("pics"), 3);
  SelectInList({"b.jpg", "Urlaub \xF0\x9F\x98\x80.jpg", "unter"});
  Control<QPushButton>(Form(), "AddBtn")->click();
  ASSERT_EQ(Form().Document().Pictures().size(), 1u);
  EXPECT_EQ(Form().Document().Pictures()[0].FileName, folder_.Path("pics/b.jpg"));
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Caption, "Fehler");
  EXPECT_NE(messages_.Calls[0].Text.find(folder_.Path("pics/Urlaub <U+1F600>.jpg")), std::string::npos);

  // Dropped on the list: the same.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder_.Path("pics")) + "/Urlaub \U0001F600.jpg"),
                QUrl::fromLocalFile(QString::fromStdString(folder_.Path("pics/b.jpg")))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(List("ImageList")->viewport(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(List("ImageList")->viewport(), &drop);
  EXPECT_EQ(Form().Document().Pictures().size(), 2u);
  EXPECT_EQ(messages_.Calls.size(), 2u);
}

TEST_F(UnfitText, TypedCharactersTheAlbumCannotHoldAreRefused) {
  apptest::WritePicture(folder_.Path("pics/b.jpg"), 4, 4);
  TMainForm& form = Form();
  QLineEdit* CaptionED = Control<QLineEdit>(form, "CaptionED");
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  app::ListBox* ImageBox = List("ImageBox");
  form.show();
  DropOnAlbumList({folder_.Path("pics/b.jpg")});
  CaptionED->setText("Urlaub");
  CaptionED->setFocus();
  CaptionED->end(false);
  Type(CaptionED, QString::fromUtf8("\xC3\xA9"));
  Type(CaptionED, QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(CaptionED->text(), QString::fromUtf8("Urlaub\xC3\xA9"));
  EXPECT_FALSE(Control<app::TStatusBar>(form, "StatusBar1")->Text().isEmpty());

  ImageBox->SetCurrentLine(0);
  ComMemo->insertPlainText("Strand");
  ComMemo->insertPlainText(QString::fromUtf8(" \xE2\x82\xAC \xE4\xB8\xAD"));  // euro fits, the Chinese sign not
  EXPECT_EQ(ComMemo->toPlainText(), "Strand");
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "Strand");
  ComMemo->insertPlainText(QString::fromUtf8(" \xE2\x82\xAC"));
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "Strand \x80");
  EXPECT_EQ(ComMemo->textCursor().position(), 8);
}
