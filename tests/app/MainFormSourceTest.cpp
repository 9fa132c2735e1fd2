#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/FolderBrowser.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "app/StatusBar.h"
#include "platform/Paths.h"

using app::TMainForm;
using apptest::Control;
using apptest::Lines;
using apptest::MainFormTest;
using Strings = std::vector<std::string>;

namespace {

Strings ListedNames(TMainForm& form) {
  QAbstractItemModel* model = Control<app::ShellListView>(form, "JamShellList1")->model();
  const QModelIndex root = Control<app::ShellListView>(form, "JamShellList1")->rootIndex();
  Strings names;
  for (int row = 0; row < model->rowCount(root); ++row)
    names.push_back(model->index(row, 0, root).data().toString().toStdString());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

using PictureSource = MainFormTest;

TEST_F(PictureSource, FilterWithTwoExtensionsShowsThoseFilesAndAllFolders) {
  for (const char* name : {"pics/a.tif", "pics/b.TIFF", "pics/c.jpg", "pics/d.txt", "pics/noext"})
    folder_.Write(name, "x");
  folder_.MakeFolder("pics/sub.jpg.d");
  ShowFolder(folder_.Path("pics"), 4);  // the first entry, all picture files, from the start
  TMainForm& form = Form();
  QComboBox* FilterComboBox1 = Control<QComboBox>(form, "FilterComboBox1");
  int tiff = -1;
  for (int i = 0; i < FilterComboBox1->count(); ++i)
    if (FilterComboBox1->itemText(i).startsWith("TIFF")) tiff = i;
  ASSERT_GT(tiff, 0);  // the first entry takes every picture
  FilterComboBox1->setCurrentIndex(tiff - 1);
  QTest::keyClick(FilterComboBox1, Qt::Key_Down);  // chosen with the keyboard
  ASSERT_EQ(FilterComboBox1->currentIndex(), tiff);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ListedNames(form).size() == 3; }, 5000)) << ListedNames(form).size();
  EXPECT_EQ(ListedNames(form), (Strings{"a.tif", "b.TIFF", "sub.jpg.d"}));
}

TEST_F(PictureSource, DoubleClickOpensFoldersAndPreviewsFiles) {
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 16, 10);
  folder_.MakeFolder("pics/sub");
  TMainForm& form = Form();
  form.show();
  ShowFolder(folder_.Path("pics"), 2);
  app::ShellListView* JamShellList1 = Control<app::ShellListView>(form, "JamShellList1");
  SelectInList({"sub"});
  apptest::DoubleClickLine(JamShellList1, JamShellList1->currentIndex().row());
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("pics/sub"));
  EXPECT_EQ(PreviewShown().pixelColor(10, 10), QColor(Qt::white));

  ShowFolder(folder_.Path("pics"), 2);
  SelectInList({"a.jpg"});
  QTest::keyClick(JamShellList1, Qt::Key_Return);
  // 16 x 10 fitted into 181 x 75: 120 x 75 of grey at the top left.
  const QImage shown = PreviewShown();
  EXPECT_NEAR(shown.pixelColor(10, 10).red(), 0x80, 2);
  EXPECT_NEAR(shown.pixelColor(119, 74).red(), 0x80, 2);
  EXPECT_GT(shown.pixelColor(125, 37).red(), 0x90);
  EXPECT_TRUE(form.Document().Pictures().empty());
  // Other keys are the list's own: a letter finds the entry it starts.
  SelectInList({"sub"});
  QTest::keyClick(JamShellList1, Qt::Key_A);
  EXPECT_EQ(JamShellList1->currentIndex().data().toString(), "a.jpg");
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("pics"));
}

TEST_F(PictureSource, EnterWhileRenamingDoesNothing) {
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 16, 10);
  ShowFolder(folder_.Path("pics"), 1);
  TMainForm& form = Form();
  app::ShellListView* JamShellList1 = Control<app::ShellListView>(form, "JamShellList1");
  form.show();
  SelectInList({"a.jpg"});
  JamShellList1->edit(JamShellList1->currentIndex());
  ASSERT_TRUE(JamShellList1->IsEditing());
  QTest::keyClick(JamShellList1, Qt::Key_Return);
  EXPECT_EQ(PreviewShown().pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(PictureSource, NothingSelectedDoesNothing) {
  folder_.Write("pics/a.jpg", "x");
  ShowFolder(folder_.Path("pics"), 1);
  TMainForm& form = Form();
  QTest::keyClick(Control<app::ShellListView>(form, "JamShellList1"), Qt::Key_Return);
  EXPECT_TRUE(messages_.Calls.empty());
  EXPECT_EQ(PreviewShown().pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(PictureSource, UnreadablePictureIsReportedAndKeepsThePreview) {
  folder_.Write("pics/kaputt.jpg", "not a picture at all");
  ShowFolder(folder_.Path("pics"), 1);
  TMainForm& form = Form();
  SelectInList({"kaputt.jpg"});
  QTest::keyClick(Control<app::ShellListView>(form, "JamShellList1"), Qt::Key_Return);
  ASSERT_EQ(messages_.Calls.size(), 1u);
  const std::string notLoaded =
      "Fehler: Die Datei " + folder_.Path("pics/kaputt.jpg") + " konnte nicht geladen werden!";
  // The library explains why in more than five characters: its message is
  // the text and the generic sentence the caption.
  const apptest::MessageCall& box = messages_.Calls[0];
  EXPECT_EQ(box.Kind, "box");
  EXPECT_EQ(box.Caption, notLoaded);
  EXPECT_GT(box.Text.size(), 5u);
  EXPECT_EQ(box.Text.find("konnte nicht geladen"), std::string::npos);
  EXPECT_EQ(PreviewShown().pixelColor(10, 10), QColor(Qt::white));
}

using FavouriteFolders = MainFormTest;

TEST_F(FavouriteFolders, AddingFromABThenAKeepsTwoItemsAndTheFile) {
  apptest::WritePicture(folder_.Path("A/a.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("B/b.jpg"), 4, 4);
  TMainForm& form = Form();
  for (const char* name : {"A", "B", "A"}) {
    ShowFolder(folder_.Path(name), 1);
    SelectInList({std::string(1, static_cast<char>(std::tolower(name[0]))) + ".jpg"});
    Control<QPushButton>(form, "AddBtn")->click();
  }
  const Strings expected{folder_.Path("A/"), folder_.Path("B/")};
  EXPECT_EQ(Lines(List("PrefListBox")), expected);
  EXPECT_EQ(folder_.Read("folders.dat"), expected[0] + "\r\n" + expected[1] + "\r\n");
  EXPECT_EQ(form.Document().Pictures().size(), 3u);
}

TEST_F(FavouriteFolders, CaseDifferentItemsAreDifferentFolders) {
  apptest::WritePicture(folder_.Path("A/a.jpg"), 4, 4);
  const std::string upper = folder_.Path("A/");
  std::string lower = upper;
  lower[lower.size() - 2] = 'a';
  folder_.Write("folders.dat", lower + "\r\n" + upper + "\r\n" + lower + "\r\n");
  ShowFolder(folder_.Path("A"), 1);
  TMainForm& form = Form();
  SelectInList({"a.jpg"});
  Control<QPushButton>(form, "AddBtn")->click();
  EXPECT_EQ(Lines(List("PrefListBox")), (Strings{upper, lower, lower}));
}

TEST_F(FavouriteFolders, DuplicateLinesLoseOnlyTheLowerOne) {
  apptest::WritePicture(folder_.Path("A/a.jpg"), 4, 4);
  const std::string a = folder_.Path("A/");
  folder_.Write("folders.dat", a + "\r\n/x/\r\n" + a + "\r\n");
  ShowFolder(folder_.Path("A"), 1);
  TMainForm& form = Form();
  SelectInList({"a.jpg"});
  Control<QPushButton>(form, "AddBtn")->click();
  EXPECT_EQ(Lines(List("PrefListBox")), (Strings{a, a, "/x/"}));
  EXPECT_EQ(folder_.Read("folders.dat"), a + "\r\n" + a + "\r\n/x/\r\n");
}

TEST_F(FavouriteFolders, DoubleClickJumpsToTheFolderAndEmptyListDoesNothing) {
  apptest::WritePicture(folder_.Path("Urlaub/u.jpg"), 4, 4);
  TMainForm& form = Form();
  form.show();
  app::ListBox* PrefListBox = List("PrefListBox");
  QTest::keyClick(PrefListBox, Qt::Key_Return);
  QTest::mouseDClick(PrefListBox->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(platform::IncludeTrailingDelimiter(Folders().SelectedFolder()), folder_.Path());
  DropOnAlbumList({folder_.Path("Urlaub/u.jpg")});  // its folder becomes a favourite
  ASSERT_EQ(Lines(PrefListBox), Strings{folder_.Path("Urlaub/")});
  apptest::DoubleClickLine(PrefListBox, 0);
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("Urlaub"));
  Folders().SelectFolder(folder_.Path());
  QTest::keyClick(PrefListBox, Qt::Key_Return);
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("Urlaub"));
}

TEST_F(FavouriteFolders, DeleteKeyAndContextMenuRemoveAFavouriteAndFiveShow) {
  folder_.Write("folders.dat", "/a/\r\n/b/\r\n/c/\r\n/d/\r\n/e/\r\n/f/\r\n");
  TMainForm& form = Form();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  app::ListBox* PrefListBox = List("PrefListBox");
  PrefListBox->setFocus();
  EXPECT_LE(PrefListBox->visualRect(PrefListBox->model()->index(4, 0)).bottom(), PrefListBox->viewport()->height());

  PrefListBox->SetCurrentLine(1);
  QTest::keyClick(PrefListBox, Qt::Key_Delete);
  EXPECT_EQ(Lines(PrefListBox), (Strings{"/a/", "/c/", "/d/", "/e/", "/f/"}));
  EXPECT_EQ(folder_.Read("folders.dat"), "/a/\r\n/c/\r\n/d/\r\n/e/\r\n/f/\r\n");
  EXPECT_EQ(PrefListBox->CurrentLine(), 1);  // Delete can go on with "/c/"

  ASSERT_EQ(PrefListBox->contextMenuPolicy(), Qt::ActionsContextMenu);
  ASSERT_EQ(PrefListBox->actions().size(), 1);
  PrefListBox->SetCurrentLine(4);
  PrefListBox->actions()[0]->trigger();
  EXPECT_EQ(Lines(PrefListBox), (Strings{"/a/", "/c/", "/d/", "/e/"}));
  EXPECT_EQ(folder_.Read("folders.dat"), "/a/\r\n/c/\r\n/d/\r\n/e/\r\n");
  EXPECT_EQ(PrefListBox->CurrentLine(), 3);
}

TEST_F(PictureSource, FileListSizeTypeAndDateAreGerman) {
  folder_.Write("fotos/gross.jpg", std::string(1536, 'x'));
  folder_.MakeFolder("fotos/Urlaub");
  ShowFolder(folder_.Path("fotos"), 2);
  const app::ShellListView* list = Control<app::ShellListView>(Form(), "JamShellList1");
  const QAbstractItemModel* model = list->model();
  const QModelIndex root = list->rootIndex();
  const int file = model->index(0, 0, root).data().toString() == "gross.jpg" ? 0 : 1;
  auto column = [&](int row, int column) { return model->index(row, column, root).data().toString().toStdString(); };
  EXPECT_EQ(column(file, 1), "1,5 kB");
  EXPECT_EQ(column(file, 2), "JPEG-Bild");
  EXPECT_TRUE(QDateTime::fromString(QString::fromStdString(column(file, 3)), "dd.MM.yyyy HH:mm").isValid())
      << column(file, 3);
  EXPECT_EQ(column(1 - file, 2), "Verzeichnis");
}

TEST_F(PictureSource, CtrlLTakesATypedPathAndReportsAMissingOne) {
  folder_.MakeFolder("Reise/Tag 1");
  TMainForm& form = Form();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Control<QTabWidget>(form, "PageControl2")->setCurrentIndex(2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
  QLineEdit* PathEdit = Control<QLineEdit>(form, "PathEdit");
  ASSERT_EQ(QApplication::focusWidget(), PathEdit);
  EXPECT_EQ(Control<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
  EXPECT_EQ(PathEdit->selectedText(), PathEdit->text());  // typing replaces it
  QTest::keyClicks(PathEdit, QString::fromStdString(folder_.Path("Reise/Tag 1")));
  QTest::keyClick(PathEdit, Qt::Key_Return);
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("Reise/Tag 1"));

  PathEdit->setText(QString::fromStdString(folder_.Path("fehlt")));
  QTest::keyClick(PathEdit, Qt::Key_Return);
  app::TStatusBar* StatusBar1 = Control<app::TStatusBar>(form, "StatusBar1");
  EXPECT_EQ(StatusBar1->Text().toStdString(), "Den Ordner „" + folder_.Path("fehlt") + "“ gibt es nicht.");
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("Reise/Tag 1"));
  // The note goes after a few seconds.
  EXPECT_TRUE(QTest::qWaitFor([&] { return StatusBar1->Text().isEmpty(); }, 8000));
}
