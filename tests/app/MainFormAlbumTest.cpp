#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "app/WindowActions.h"

using app::ListBox;
using app::TMainForm;
using apptest::CheckState;
using apptest::Control;
using apptest::Lines;
using apptest::MainFormTest;
using apptest::SelectedLines;
using apptest::SelectLines;
using Strings = std::vector<std::string>;

namespace {

void PressKey(QWidget* widget, int key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// Picture pN.jpg is drawn in this grey, so the preview tells which one it shows.
int GreyOf(int picture) { return 0x20 + 0x20 * picture; }

}  // namespace

class AlbumList : public MainFormTest {
 protected:
  // Five pictures p0.jpg .. p4.jpg on disk before the window lists them.
  void SetUp() override {
    MainFormTest::SetUp();
    for (int i = 0; i < 5; ++i)
      apptest::WritePicture(folder_.Path("pics/p" + std::to_string(i) + ".jpg"), 8, 6, static_cast<uint8_t>(GreyOf(i)));
  }
  // The grey the preview shows; 255 for the white picture of the start.
  int PreviewGrey() { return PreviewShown().pixelColor(10, 10).red(); }
  // The five added through the window.
  void AddFive() {
    ShowFolder(folder_.Path("pics"), 5);
    SelectInList({"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"});
    Control<QPushButton>(Form(), "AddBtn")->click();
    ASSERT_EQ(Form().Document().Pictures().size(), 5u);
  }
  Strings Names() const {
    Strings names;
    for (const album::AlbumPicture& p : form_->Document().Pictures())
      names.push_back(p.FileName.substr(p.FileName.rfind('/') + 1));
    return names;
  }
};

TEST_F(AlbumList, AddingAppendsInListOrderWithFlagsAndFirstLineSelected) {
  for (const char* name : {"c.jpg", "a.jpg", "b.jpg"})
    apptest::WritePicture(folder_.Path(std::string("abc/") + name), 4, 4);
  ShowFolder(folder_.Path("abc"), 3);
  TMainForm& form = Form();
  ListBox* ImageBox = List("ImageBox");
  ListBox* ImageList = List("ImageList");
  ListBox* SortBox = List("SortBox");
  SelectInList({"b.jpg", "c.jpg", "a.jpg"});
  Control<QPushButton>(form, "AddBtn")->click();
  ASSERT_EQ(form.Document().Pictures().size(), 3u);
  EXPECT_EQ(Names(), (Strings{"a.jpg", "b.jpg", "c.jpg"}));
  for (const album::AlbumPicture& picture : form.Document().Pictures()) {
    EXPECT_EQ(picture.ShowComment, 1);
    EXPECT_EQ(picture.Marked, 1);
    EXPECT_FALSE(picture.Comment.has_value());
  }
  EXPECT_EQ(form.Document().Pictures()[0].FileName, folder_.Path("abc/a.jpg"));
  EXPECT_EQ(Lines(ImageList), (Strings{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(Lines(SortBox), Lines(ImageList));
  EXPECT_EQ(Lines(ImageBox), Lines(ImageList));
  EXPECT_EQ(CheckState(ImageBox, 2), Qt::Checked);
  // Only the comment list shows the marks.
  EXPECT_FALSE(ImageList->model()->index(2, 0).data(Qt::CheckStateRole).isValid());
  EXPECT_FALSE(SortBox->model()->index(2, 0).data(Qt::CheckStateRole).isValid());
  EXPECT_EQ(SelectedLines(ImageList), std::vector<int>{0});
  EXPECT_EQ(SortBox->CurrentLine(), 0);
  EXPECT_TRUE(Control<QPushButton>(form, "DelBtn")->isEnabled());
  EXPECT_TRUE(Control<QPushButton>(form, "ViewBtn")->isEnabled());

  Control<QPushButton>(form, "AddBtn")->click();  // the same files again: duplicates are allowed
  EXPECT_EQ(form.Document().Pictures().size(), 6u);
  EXPECT_EQ(Lines(ImageBox).size(), 6u);
  Control<app::ShellListView>(form, "JamShellList1")->clearSelection();
  ImageList->SetCurrentLine(4);
  Control<QPushButton>(form, "AddBtn")->click();  // nothing selected: only the refill
  EXPECT_EQ(form.Document().Pictures().size(), 6u);
  EXPECT_EQ(SelectedLines(ImageList), std::vector<int>{0});
}

TEST_F(AlbumList, RemovingSelectedLinesKeepsTheOthersInOrder) {
  AddFive();
  TMainForm& form = Form();
  ListBox* ImageList = List("ImageList");
  SelectLines(ImageList, {1, 3});
  form.Actions().Delete->trigger();
  EXPECT_EQ(Names(), (Strings{"p0.jpg", "p2.jpg", "p4.jpg"}));
  EXPECT_EQ(Lines(List("SortBox")), (Strings{"p0.jpg", "p2.jpg", "p4.jpg"}));

  SelectLines(ImageList, {0, 2});
  PressKey(ImageList, Qt::Key_Delete);
  EXPECT_EQ(Names(), Strings{"p2.jpg"});
  SelectLines(ImageList, {0});
  form.Actions().Delete->trigger();
  EXPECT_TRUE(form.Document().Pictures().empty());
  EXPECT_EQ(ImageList->LineCount(), 0);
  EXPECT_FALSE(Control<QPushButton>(form, "DelBtn")->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(form, "ViewBtn")->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(form, "PrintBtn")->isEnabled());
}

TEST_F(AlbumList, EnterPreviewsTheCurrentLineAndEmptyListDoesNothing) {
  TMainForm& form = Form();
  ListBox* ImageList = List("ImageList");
  PressKey(ImageList, Qt::Key_Return);
  QTest::mouseDClick(ImageList->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(PreviewGrey(), 255);
  AddFive();
  ImageList->SetCurrentLine(2);
  PressKey(ImageList, Qt::Key_Return);
  EXPECT_NEAR(PreviewGrey(), GreyOf(2), 2);
  EXPECT_EQ(form.Document().Pictures().size(), 5u);
}

TEST_F(AlbumList, LinesShowOnlyTheFileName) {
  apptest::WritePicture(folder_.Path("x/same.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("y/same.jpg"), 4, 4);
  TMainForm& form = Form();
  DropOnAlbumList({folder_.Path("x/same.jpg"), folder_.Path("y/same.jpg")});
  EXPECT_EQ(Lines(List("ImageList")), (Strings{"same.jpg", "same.jpg"}));
  EXPECT_EQ(form.Document().Pictures()[1].FileName, folder_.Path("y/same.jpg"));
}

TEST_F(AlbumList, DroppedFilesAreAddedInOrderAndRecordTheirFolders) {
  apptest::WritePicture(folder_.Path("x/b.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("y/a.jpg"), 4, 4);
  folder_.MakeFolder("y/folder");
  DropOnAlbumList({folder_.Path("x/b.jpg"), folder_.Path("y/folder"), folder_.Path("y/a.jpg")});
  EXPECT_EQ(Names(), (Strings{"b.jpg", "a.jpg"}));
  EXPECT_EQ(Lines(List("PrefListBox")), (Strings{folder_.Path("y/"), folder_.Path("x/")}));
}

TEST_F(AlbumList, NewAlbumAsksAndKeepsTheSettings) {
  AddFive();
  TMainForm& form = Form();
  QSpinBox* AnzEd = Control<QSpinBox>(form, "AnzEd");
  QLineEdit* CaptionED = Control<QLineEdit>(form, "CaptionED");
  CaptionED->setText("Urlaub");
  AnzEd->setValue(3);
  messages_.Answers = {false};
  form.Actions().New->trigger();
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Text, "Hiermit gehen alle nicht gespeicherten Informationen verloren.");
  EXPECT_EQ(messages_.Calls[0].Caption, "Datei/Neu");
  EXPECT_EQ(form.Document().Pictures().size(), 5u);

  ASSERT_TRUE(SaveAlbumAs(folder_.Path("album.lva")));
  form.Actions().New->trigger();
  EXPECT_TRUE(form.Document().Pictures().empty());
  EXPECT_EQ(List("ImageBox")->LineCount(), 0);
  EXPECT_EQ(List("SortBox")->LineCount(), 0);
  EXPECT_FALSE(form.Document().Path().has_value());
  EXPECT_EQ(form.windowTitle().toStdString(), "Vendrix Web Lumivista 2.0 - [Unbenannt.lva]");
  EXPECT_EQ(CaptionED->text().toStdString(), "Urlaub");
  EXPECT_EQ(AnzEd->value(), 3);
  EXPECT_EQ(form.Document().Settings().Caption, "Urlaub");
  EXPECT_EQ(form.Document().Settings().PicturesPerRow, 3);
}

using Sorting = AlbumList;

TEST_F(Sorting, MovingDownThreeTimesFollowsThePicture) {
  AddFive();
  TMainForm& form = Form();
  ListBox* ImageBox = List("ImageBox");
  ListBox* SortBox = List("SortBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[0].Comment = "erstes";
    pictures[0].Marked = 0;
    return true;
  });
  SortBox->SetCurrentLine(0);
  for (int step = 1; step <= 3; ++step) {
    Control<QPushButton>(form, "DownNow")->click();
    EXPECT_EQ(SortBox->CurrentLine(), step);
    EXPECT_EQ(SelectedLines(SortBox), std::vector<int>{step});
  }
  EXPECT_EQ(Names(), (Strings{"p1.jpg", "p2.jpg", "p3.jpg", "p0.jpg", "p4.jpg"}));
  EXPECT_EQ(Lines(SortBox), (Strings{"p1.jpg", "p2.jpg", "p3.jpg", "p0.jpg", "p4.jpg"}));
  EXPECT_EQ(Lines(ImageBox), Lines(SortBox));
  EXPECT_EQ(form.Document().Pictures()[3].Comment, "erstes");
  EXPECT_EQ(form.Document().Pictures()[3].Marked, 0);
  EXPECT_EQ(CheckState(ImageBox, 3), Qt::Unchecked);
  EXPECT_EQ(CheckState(ImageBox, 0), Qt::Checked);
  // The other two lists start at the first line again, as after any change of the lines.
  EXPECT_EQ(SelectedLines(List("ImageList")), std::vector<int>{0});
  EXPECT_EQ(ImageBox->CurrentLine(), 0);
  Control<QPushButton>(form, "UpNow")->click();
  EXPECT_EQ(SortBox->CurrentLine(), 2);
  EXPECT_EQ(Names()[2], "p0.jpg");
  EXPECT_EQ(Lines(SortBox)[2], "p0.jpg");
}

// A long album: moving a line keeps the sort list where the user scrolled it.
TEST_F(Sorting, MovingKeepsTheSortListsScrollPosition) {
  TMainForm& form = Form();
  form.resize(900, 600);
  form.show();
  Control<QTabWidget>(form, "PageControl2")->setCurrentIndex(1);
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    for (int i = 0; i < 200; ++i) {
      album::AlbumPicture picture;
      picture.FileName = "/bilder/b" + std::to_string(i) + ".jpg";
      pictures.push_back(picture);
    }
    return true;
  });
  ListBox* SortBox = List("SortBox");
  SortBox->SetCurrentLine(100);
  SortBox->scrollTo(SortBox->model()->index(100, 0), QAbstractItemView::PositionAtCenter);
  const int scrolled = SortBox->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);
  Control<QPushButton>(form, "DownNow")->click();
  EXPECT_EQ(SortBox->CurrentLine(), 101);
  EXPECT_EQ(Lines(SortBox)[101], "b100.jpg");
  EXPECT_EQ(SortBox->verticalScrollBar()->value(), scrolled);
  Control<QPushButton>(form, "UpNow")->click();
  EXPECT_EQ(SortBox->CurrentLine(), 100);
  EXPECT_EQ(SortBox->verticalScrollBar()->value(), scrolled);
}

TEST_F(Sorting, EndsOfTheListAndEmptyListDoNothing) {
  TMainForm& form = Form();
  ListBox* SortBox = List("SortBox");
  Control<QPushButton>(form, "UpNow")->click();
  Control<QPushButton>(form, "DownNow")->click();
  AddFive();
  SortBox->SetCurrentLine(0);
  Control<QPushButton>(form, "UpNow")->click();
  SortBox->SetCurrentLine(4);
  Control<QPushButton>(form, "DownNow")->click();
  EXPECT_EQ(Names(), (Strings{"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}));
  EXPECT_EQ(SortBox->CurrentLine(), 4);
}

using Comments = AlbumList;

TEST_F(Comments, TypingWithThreeSelectedGivesAllThreeTheText) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  ListBox* ImageBox = List("ImageBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[1].Comment = "Hallo\r\nWelt";
    return true;
  });
  ImageBox->SetCurrentLine(1);
  SelectLines(ImageBox, {1, 2, 4});
  EXPECT_EQ(ComMemo->toPlainText().toStdString(), "Hallo\nWelt");
  ComMemo->moveCursor(QTextCursor::End);
  ComMemo->insertPlainText("!");
  for (int i : {1, 2, 4}) EXPECT_EQ(form.Document().Pictures()[static_cast<size_t>(i)].Comment, "Hallo\r\nWelt!");
  EXPECT_FALSE(form.Document().Pictures()[0].Comment.has_value());
  EXPECT_FALSE(form.Document().Pictures()[3].Comment.has_value());
  Control<QCheckBox>(form, "ShowComment")->setChecked(false);
  for (int i : {1, 2, 4}) EXPECT_EQ(form.Document().Pictures()[static_cast<size_t>(i)].ShowComment, 0);
  EXPECT_EQ(form.Document().Pictures()[0].ShowComment, 1);
  EXPECT_EQ(SelectedLines(ImageBox), (std::vector<int>{1, 2, 4}));  // editing keeps the lines marked
}

TEST_F(Comments, TypedTextIsStoredAsTypedWithCrLfLineBreaks) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  ListBox* ImageBox = List("ImageBox");
  ImageBox->SetCurrentLine(0);
  ComMemo->insertPlainText(QString::fromUtf8("10\u00A0km\nweit"));
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "10\xA0km\r\nweit");
  ImageBox->SetCurrentLine(1);
  ImageBox->SetCurrentLine(0);
  EXPECT_TRUE(ComMemo->document()->toRawText().contains(QChar::Nbsp));
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "10\xA0km\r\nweit");
}

TEST_F(Comments, ShowingAnEntryNeverChangesIt) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  ListBox* ImageBox = List("ImageBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[2].ShowComment = 0;
    pictures[2].Comment = "zwei";
    return true;
  });
  const album::AlbumPictures before = form.Document().Pictures();
  for (int row : {2, 0, 3, 2}) ImageBox->SetCurrentLine(row);
  PressKey(ImageBox, Qt::Key_Down);
  // "Hinzufügen" with nothing marked in the file list: the lists start over.
  Control<app::ShellListView>(form, "JamShellList1")->clearSelection();
  Control<QPushButton>(form, "AddBtn")->click();
  ImageBox->SetCurrentLine(2);
  EXPECT_FALSE(Control<QCheckBox>(form, "ShowComment")->isChecked());
  EXPECT_EQ(ComMemo->toPlainText().toStdString(), "zwei");
  ImageBox->SetCurrentLine(3);
  EXPECT_TRUE(ComMemo->toPlainText().isEmpty());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(form.Document().Pictures()[i].Comment, before[i].Comment);
    EXPECT_EQ(form.Document().Pictures()[i].ShowComment, before[i].ShowComment);
  }
  // Showing is over: typing edits the entry again.
  ComMemo->insertPlainText("drei");
  EXPECT_EQ(form.Document().Pictures()[3].Comment, "drei");
}

TEST_F(Comments, SpaceTicksTheMarkOfTheCommentListsLineOnly) {
  AddFive();
  TMainForm& form = Form();
  ListBox* ImageBox = List("ImageBox");
  ImageBox->SetCurrentLine(3);
  QTest::keyClick(ImageBox, Qt::Key_Space);
  EXPECT_EQ(form.Document().Pictures()[3].Marked, 0);
  EXPECT_EQ(form.Document().Pictures()[2].Marked, 1);
  EXPECT_EQ(CheckState(ImageBox, 3), Qt::Unchecked);
  EXPECT_TRUE(form.Document().Modified());
  QTest::keyClick(ImageBox, Qt::Key_Space);
  EXPECT_EQ(form.Document().Pictures()[3].Marked, 1);
  // The album list shows no marks, so Space there ticks none.
  ListBox* ImageList = List("ImageList");
  ImageList->SetCurrentLine(2);
  QTest::keyClick(ImageList, Qt::Key_Space);
  EXPECT_EQ(form.Document().Pictures()[2].Marked, 1);
}

TEST_F(Comments, EmptyListDisablesTheControls) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  SelectLines(List("ImageList"), {0, 1, 2, 3, 4});
  form.Actions().Delete->trigger();
  EXPECT_FALSE(Control<QCheckBox>(form, "ShowComment")->isEnabled());
  EXPECT_FALSE(ComMemo->isEnabled());
  EXPECT_TRUE(ComMemo->toPlainText().isEmpty());
}

class Viewing : public AlbumList {
 protected:
  void SetUp() override {
    AlbumList::SetUp();
    Form().ShowViewer = [this](const imaging::RasterImage& picture, const std::string& name) {
      shown_.push_back(name);
      pixels_.push_back(picture.Pixels);
    };
  }
  Strings shown_;
  std::vector<const void*> pixels_;
};

TEST_F(Viewing, EnterInTheSortListOpensTheViewerAndMovesImageListFocus) {
  AddFive();
  ListBox* SortBox = List("SortBox");
  SortBox->SetCurrentLine(3);
  PressKey(SortBox, Qt::Key_Return);
  EXPECT_EQ(shown_, Strings{folder_.Path("pics/p3.jpg")});
  EXPECT_EQ(List("ImageList")->CurrentLine(), 3);
  EXPECT_NEAR(PreviewGrey(), GreyOf(3), 2);
}

TEST_F(Viewing, OpeningFromTheCommentListKeepsTheLinesMarkedForRemoval) {
  AddFive();
  ListBox* ImageList = List("ImageList");
  SelectLines(ImageList, {0, 4});
  ListBox* ImageBox = List("ImageBox");
  ImageBox->SetCurrentLine(2);
  PressKey(ImageBox, Qt::Key_Return);
  EXPECT_EQ(shown_, Strings{folder_.Path("pics/p2.jpg")});
  EXPECT_EQ(ImageList->CurrentLine(), 2);
  EXPECT_EQ(SelectedLines(ImageList), (std::vector<int>{0, 4}));
}

TEST_F(Viewing, PictureInThePreviewIsNotLoadedAgain) {
  AddFive();
  TMainForm& form = Form();
  ListBox* ImageBox = List("ImageBox");
  ImageBox->SetCurrentLine(1);
  PressKey(ImageBox, Qt::Key_Return);
  folder_.Write("pics/p1.jpg", "now broken");
  PressKey(ImageBox, Qt::Key_Return);
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(pixels_[1], pixels_[0]);  // the preview's own picture both times
  EXPECT_TRUE(messages_.Calls.empty());
  List("ImageList")->SetCurrentLine(1);
  Control<QPushButton>(form, "ViewBtn")->click();
  EXPECT_EQ(shown_.size(), 3u);
  EXPECT_NEAR(PreviewGrey(), GreyOf(1), 2);
}

TEST_F(Viewing, FailedLoadOpensNoViewer) {
  AddFive();
  TMainForm& form = Form();
  folder_.Write("pics/p2.jpg", "broken");
  List("ImageList")->SetCurrentLine(2);
  Control<QPushButton>(form, "ViewBtn")->click();
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(messages_.Calls.size(), 1u);
}

TEST_F(AlbumList, PicturesDroppedOnTheListAreAdded) {
  TMainForm& form = Form();
  EXPECT_TRUE(
      apptest::DropFiles(List("ImageList")->viewport(), {folder_.Path("pics/p3.jpg"), folder_.Path("pics/p1.jpg")}));
  EXPECT_EQ(Names(), (Strings{"p3.jpg", "p1.jpg"}));
  EXPECT_EQ(Lines(List("PrefListBox")), Strings{folder_.Path("pics/")});
  EXPECT_EQ(folder_.Read("folders.dat"), folder_.Path("pics/") + "\r\n");
  EXPECT_EQ(Lines(List("ImageBox")), (Strings{"p3.jpg", "p1.jpg"}));
  EXPECT_TRUE(form.Document().Modified());
}

// Escape deletes nothing; the Delete key on the list deletes as "&Löschen" does.
TEST_F(AlbumList, EscapeLeavesTheLinesAndDeleteDeletesThem) {
  AddFive();
  TMainForm& form = Form();
  ListBox* ImageList = List("ImageList");
  app::ShellListView* JamShellList1 = Control<app::ShellListView>(form, "JamShellList1");
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  SelectLines(ImageList, {0});
  ImageList->setFocus();
  QTest::keyClick(ImageList, Qt::Key_Escape);
  EXPECT_EQ(form.Document().Pictures().size(), 5u);
  QTest::keyClick(ImageList, Qt::Key_Delete);
  EXPECT_EQ(form.Document().Pictures().size(), 4u);

  SelectLines(ImageList, {0});
  JamShellList1->setCurrentIndex(JamShellList1->model()->index(0, 0, JamShellList1->rootIndex()));
  JamShellList1->edit(JamShellList1->currentIndex());
  ASSERT_TRUE(JamShellList1->IsEditing());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // ends the rename only
  EXPECT_FALSE(JamShellList1->IsEditing());
  EXPECT_EQ(form.Document().Pictures().size(), 4u);

  Control<QTabWidget>(form, "PageControl2")->setCurrentIndex(1);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(form.Document().Pictures().size(), 4u);
}

TEST_F(AlbumList, OnlyNamesSelectedInTheShownFolderAreAdded) {
  apptest::WritePicture(folder_.Path("A/a.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("B/b.jpg"), 4, 4);
  TMainForm& form = Form();
  ShowFolder(folder_.Path("A"), 1);
  SelectInList({"a.jpg"});
  // Another folder chosen in the tree: the list shows it with nothing marked.
  ShowFolder(folder_.Path("B"), 1);
  Control<QPushButton>(form, "AddBtn")->click();
  EXPECT_TRUE(form.Document().Pictures().empty());
  PressKey(Control<app::ShellListView>(form, "JamShellList1"), Qt::Key_Return);
  EXPECT_EQ(PreviewGrey(), 255);
  EXPECT_TRUE(messages_.Calls.empty());
}
