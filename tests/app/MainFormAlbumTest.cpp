#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "app/WindowActions.h"

using apptest::Control;
using apptest::MainFormTest;
using Strings = std::vector<std::string>;

namespace {

void PressKey(QWidget* widget, int key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void SelectLines(QListWidget* list, const std::vector<int>& lines) {
  list->clearSelection();
  for (int line : lines) list->item(line)->setSelected(true);
}

std::vector<int> SelectedLines(const QListWidget* list) {
  std::vector<int> lines;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) lines.push_back(i);
  return lines;
}

}  // namespace

class AlbumList : public MainFormTest {
 protected:
  // Five pictures p0.jpg .. p4.jpg on disk before the window lists them.
  void SetUp() override {
    MainFormTest::SetUp();
    for (int i = 0; i < 5; ++i) apptest::WritePicture(folder_.Path("pics/p" + std::to_string(i) + ".jpg"), 8, 6);
  }
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
  QListWidget* ImageBox = Control<QListWidget>(form, "ImageBox");
  QListWidget* ImageList = Control<QListWidget>(form, "ImageList");
  QListWidget* SortBox = Control<QListWidget>(form, "SortBox");
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
  EXPECT_EQ(ImageBox->item(2)->checkState(), Qt::Checked);
  EXPECT_EQ(SelectedLines(ImageList), std::vector<int>{0});
  EXPECT_EQ(SortBox->currentRow(), 0);
  EXPECT_TRUE(Control<QPushButton>(form, "DelBtn")->isEnabled());
  EXPECT_TRUE(Control<QPushButton>(form, "ViewBtn")->isEnabled());

  Control<QPushButton>(form, "AddBtn")->click();  // the same files again: duplicates are allowed
  EXPECT_EQ(form.Document().Pictures().size(), 6u);
  Control<app::ShellListView>(form, "JamShellList1")->clearSelection();
  ImageList->setCurrentRow(4);
  Control<QPushButton>(form, "AddBtn")->click();  // nothing selected: only the refill
  EXPECT_EQ(form.Document().Pictures().size(), 6u);
  EXPECT_EQ(SelectedLines(ImageList), std::vector<int>{0});
}

TEST_F(AlbumList, RemovingSelectedLinesKeepsTheOthersInOrder) {
  AddFive();
  TMainForm& form = Form();
  QListWidget* ImageList = Control<QListWidget>(form, "ImageList");
  SelectLines(ImageList, {1, 3});
  form.Actions().Delete->trigger();
  EXPECT_EQ(Names(), (Strings{"p0.jpg", "p2.jpg", "p4.jpg"}));
  EXPECT_EQ(Lines(Control<QListWidget>(form, "SortBox")), (Strings{"p0.jpg", "p2.jpg", "p4.jpg"}));

  SelectLines(ImageList, {0, 2});
  PressKey(ImageList, Qt::Key_Delete);
  EXPECT_EQ(Names(), Strings{"p2.jpg"});
  SelectLines(ImageList, {0});
  form.Actions().Delete->trigger();
  EXPECT_TRUE(form.Document().Pictures().empty());
  EXPECT_EQ(ImageList->count(), 0);
  EXPECT_FALSE(Control<QPushButton>(form, "DelBtn")->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(form, "ViewBtn")->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(form, "PrintBtn")->isEnabled());
}

TEST_F(AlbumList, EnterPreviewsTheCurrentLineAndEmptyListDoesNothing) {
  TMainForm& form = Form();
  QListWidget* ImageList = Control<QListWidget>(form, "ImageList");
  PressKey(ImageList, Qt::Key_Return);
  form.ImageListDblClick();
  EXPECT_TRUE(form.PreviewFileName().empty());
  AddFive();
  ImageList->setCurrentRow(2);
  PressKey(ImageList, Qt::Key_Return);
  EXPECT_EQ(form.PreviewFileName(), folder_.Path("pics/p2.jpg"));
  EXPECT_EQ(form.Document().Pictures().size(), 5u);
}

TEST_F(AlbumList, LinesShowOnlyTheFileName) {
  apptest::WritePicture(folder_.Path("x/same.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("y/same.jpg"), 4, 4);
  TMainForm& form = Form();
  form.AddDroppedFiles({folder_.Path("x/same.jpg"), folder_.Path("y/same.jpg")});
  EXPECT_EQ(Lines(Control<QListWidget>(form, "ImageList")), (Strings{"same.jpg", "same.jpg"}));
  EXPECT_EQ(form.Document().Pictures()[1].FileName, folder_.Path("y/same.jpg"));
}

TEST_F(AlbumList, DroppedFilesAreAddedInOrderAndRecordTheirFolders) {
  apptest::WritePicture(folder_.Path("x/b.jpg"), 4, 4);
  apptest::WritePicture(folder_.Path("y/a.jpg"), 4, 4);
  folder_.MakeFolder("y/folder");
  TMainForm& form = Form();
  form.AddDroppedFiles({folder_.Path("x/b.jpg"), folder_.Path("y/folder"), folder_.Path("y/a.jpg")});
  EXPECT_EQ(Names(), (Strings{"b.jpg", "a.jpg"}));
  EXPECT_EQ(form.Favourites(), (Strings{folder_.Path("y/"), folder_.Path("x/")}));
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

  form.SaveFile(folder_.Path("album.lva"));
  form.Actions().New->trigger();
  EXPECT_TRUE(form.Document().Pictures().empty());
  EXPECT_EQ(Control<QListWidget>(form, "ImageBox")->count(), 0);
  EXPECT_EQ(Control<QListWidget>(form, "SortBox")->count(), 0);
  EXPECT_FALSE(form.Document().Path().has_value());
  EXPECT_EQ(form.windowTitle().toStdString(), "Vendrix Web Lumivista 2.0 - [Unbenannt.lva]");
  EXPECT_EQ(CaptionED->text().toStdString(), "Urlaub");
  EXPECT_EQ(AnzEd->value(), 3);
}

using Sorting = AlbumList;

TEST_F(Sorting, MovingDownThreeTimesFollowsThePicture) {
  AddFive();
  TMainForm& form = Form();
  QListWidget* ImageBox = Control<QListWidget>(form, "ImageBox");
  QListWidget* SortBox = Control<QListWidget>(form, "SortBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[0].Comment = "erstes";
    pictures[0].Marked = 0;
    return true;
  });
  SortBox->setCurrentRow(0);
  for (int step = 1; step <= 3; ++step) {
    Control<QPushButton>(form, "DownNow")->click();
    EXPECT_EQ(SortBox->currentRow(), step);
  }
  EXPECT_EQ(Names(), (Strings{"p1.jpg", "p2.jpg", "p3.jpg", "p0.jpg", "p4.jpg"}));
  EXPECT_EQ(form.Document().Pictures()[3].Comment, "erstes");
  EXPECT_EQ(form.Document().Pictures()[3].Marked, 0);
  EXPECT_EQ(ImageBox->item(3)->checkState(), Qt::Unchecked);
  EXPECT_EQ(SelectedLines(Control<QListWidget>(form, "ImageList")), std::vector<int>{0});
  EXPECT_EQ(ImageBox->currentRow(), 0);
  Control<QPushButton>(form, "UpNow")->click();
  EXPECT_EQ(SortBox->currentRow(), 2);
  EXPECT_EQ(Names()[2], "p0.jpg");
}

TEST_F(Sorting, EndsOfTheListAndEmptyListDoNothing) {
  TMainForm& form = Form();
  QListWidget* SortBox = Control<QListWidget>(form, "SortBox");
  Control<QPushButton>(form, "UpNow")->click();
  Control<QPushButton>(form, "DownNow")->click();
  AddFive();
  SortBox->setCurrentRow(0);
  Control<QPushButton>(form, "UpNow")->click();
  SortBox->setCurrentRow(4);
  Control<QPushButton>(form, "DownNow")->click();
  EXPECT_EQ(Names(), (Strings{"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}));
  EXPECT_EQ(SortBox->currentRow(), 4);
}

using Comments = AlbumList;

TEST_F(Comments, TypingWithThreeSelectedGivesAllThreeTheText) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  QListWidget* ImageBox = Control<QListWidget>(form, "ImageBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[1].Comment = "Hallo\r\nWelt";
    return true;
  });
  ImageBox->setCurrentRow(1);
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
}

TEST_F(Comments, TypedTextIsStoredAsTypedWithCrLfLineBreaks) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  QListWidget* ImageBox = Control<QListWidget>(form, "ImageBox");
  ImageBox->setCurrentRow(0);
  ComMemo->insertPlainText(QString::fromUtf8("10\u00A0km\nweit"));
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "10\xA0km\r\nweit");
  ImageBox->setCurrentRow(1);
  ImageBox->setCurrentRow(0);
  EXPECT_TRUE(ComMemo->document()->toRawText().contains(QChar::Nbsp));
  EXPECT_EQ(form.Document().Pictures()[0].Comment, "10\xA0km\r\nweit");
}

TEST_F(Comments, ShowingAnEntryNeverChangesIt) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  QListWidget* ImageBox = Control<QListWidget>(form, "ImageBox");
  form.Document().EditLines([](album::AlbumPictures& pictures) {
    pictures[2].ShowComment = 0;
    pictures[2].Comment = "zwei";
    return true;
  });
  const album::AlbumPictures before = form.Document().Pictures();
  for (int row : {2, 0, 3, 2}) ImageBox->setCurrentRow(row);
  PressKey(ImageBox, Qt::Key_Down);
  form.UpdateListBox();
  ImageBox->setCurrentRow(2);
  EXPECT_FALSE(Control<QCheckBox>(form, "ShowComment")->isChecked());
  EXPECT_EQ(ComMemo->toPlainText().toStdString(), "zwei");
  ImageBox->setCurrentRow(3);
  EXPECT_TRUE(ComMemo->toPlainText().isEmpty());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(form.Document().Pictures()[i].Comment, before[i].Comment);
    EXPECT_EQ(form.Document().Pictures()[i].ShowComment, before[i].ShowComment);
  }
  EXPECT_FALSE(form.RefreshingComment());
}

TEST_F(Comments, ToggledCheckMarkUpdatesEveryMark) {
  AddFive();
  TMainForm& form = Form();
  Control<QListWidget>(form, "ImageBox")->item(3)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(form.Document().Pictures()[3].Marked, 0);
  EXPECT_EQ(form.Document().Pictures()[2].Marked, 1);
}

TEST_F(Comments, EmptyListDisablesTheControls) {
  AddFive();
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  SelectLines(Control<QListWidget>(form, "ImageList"), {0, 1, 2, 3, 4});
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
      EXPECT_EQ(picture.Pixels, form_->PreviewImage().Pixels);
    };
  }
  Strings shown_;
};

TEST_F(Viewing, EnterInTheSortListOpensTheViewerAndMovesImageListFocus) {
  AddFive();
  TMainForm& form = Form();
  QListWidget* SortBox = Control<QListWidget>(form, "SortBox");
  SortBox->setCurrentRow(3);
  PressKey(SortBox, Qt::Key_Return);
  EXPECT_EQ(shown_, Strings{folder_.Path("pics/p3.jpg")});
  EXPECT_EQ(Control<QListWidget>(form, "ImageList")->currentRow(), 3);
  EXPECT_EQ(form.PreviewFileName(), folder_.Path("pics/p3.jpg"));
}

TEST_F(Viewing, OpeningFromTheCommentListKeepsTheLinesMarkedForRemoval) {
  AddFive();
  TMainForm& form = Form();
  QListWidget* ImageList = Control<QListWidget>(form, "ImageList");
  ImageList->clearSelection();
  ImageList->item(0)->setSelected(true);
  ImageList->item(4)->setSelected(true);
  Control<QListWidget>(form, "ImageBox")->setCurrentRow(2);
  form.ImageBoxDblClick();
  EXPECT_EQ(ImageList->currentRow(), 2);
  EXPECT_TRUE(ImageList->item(0)->isSelected());
  EXPECT_FALSE(ImageList->item(2)->isSelected());
  EXPECT_TRUE(ImageList->item(4)->isSelected());
}

TEST_F(Viewing, PictureInThePreviewIsNotLoadedAgain) {
  AddFive();
  TMainForm& form = Form();
  Control<QListWidget>(form, "ImageBox")->setCurrentRow(1);
  form.ImageBoxDblClick();
  folder_.Write("pics/p1.jpg", "now broken");
  form.ImageBoxDblClick();
  EXPECT_EQ(shown_.size(), 2u);
  EXPECT_TRUE(messages_.Calls.empty());
  Control<QListWidget>(form, "ImageList")->setCurrentRow(1);
  Control<QPushButton>(form, "ViewBtn")->click();
  EXPECT_EQ(shown_.size(), 3u);
}

TEST_F(Viewing, FailedLoadOpensNoViewer) {
  AddFive();
  TMainForm& form = Form();
  folder_.Write("pics/p2.jpg", "broken");
  Control<QListWidget>(form, "ImageList")->setCurrentRow(2);
  Control<QPushButton>(form, "ViewBtn")->click();
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(messages_.Calls.size(), 1u);
}

TEST_F(AlbumList, PicturesDroppedOnTheListAreAdded) {
  TMainForm& form = Form();
  EXPECT_TRUE(apptest::DropFiles(Control<QListWidget>(form, "ImageList")->viewport(),
                                 {folder_.Path("pics/p3.jpg"), folder_.Path("pics/p1.jpg")}));
  EXPECT_EQ(Names(), (Strings{"p3.jpg", "p1.jpg"}));
  EXPECT_EQ(form.Favourites(), Strings{folder_.Path("pics/")});
}

// Escape deletes nothing; the Delete key on the list deletes as "&Löschen" does.
TEST_F(AlbumList, EscapeLeavesTheLinesAndDeleteDeletesThem) {
  AddFive();
  TMainForm& form = Form();
  QListWidget* ImageList = Control<QListWidget>(form, "ImageList");
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
  form.JamShellList1DblClick();
  EXPECT_TRUE(form.PreviewFileName().empty());
  EXPECT_TRUE(messages_.Calls.empty());
}
