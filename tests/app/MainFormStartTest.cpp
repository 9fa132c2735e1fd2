#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/AlbumDocument.h"
#include "app/ColorBox.h"
#include "app/FolderBrowser.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "app/StatusBar.h"
#include "app/WindowActions.h"
#include "platform/Paths.h"
#include "viewer/PaintBox.h"

using app::TMainForm;
using apptest::Control;
using apptest::Lines;
using apptest::MainFormTest;

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

// Sets an environment variable for the scope.
struct ScopedVariable {
  ScopedVariable(const char* name, const std::string& value) : Name(name), Old(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value));
  }
  ~ScopedVariable() { Old.isNull() ? qunsetenv(Name) : qputenv(Name, Old); }
  const char* Name;
  QByteArray Old;
};

}  // namespace

using StartUp = MainFormTest;

TEST_F(StartUp, CaptionPagesAndToolRow) {
  TMainForm& form = Form();
  QLabel* EndeBtn = Control<QLabel>(form, "EndeBtn");
  QToolButton* OpenBtn = Control<QToolButton>(form, "OpenBtn");
  QTabWidget* PageControl2 = Control<QTabWidget>(form, "PageControl2");
  EXPECT_EQ(Utf8(form.windowTitle()), "Vendrix Web Lumivista 2.0 - [Unbenannt.lva]");
  EXPECT_FALSE(form.Document().Path().has_value());
  const std::vector<std::string> tabs{"Bilder hinzufügen", "Sortieren", "Kommentare", "Lumivista erstellen",
                                      "Ergebnis betrachten"};
  ASSERT_EQ(PageControl2->count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Utf8(PageControl2->tabText(i)), tabs[static_cast<size_t>(i)]);
  EXPECT_EQ(PageControl2->currentIndex(), 0);
  EXPECT_EQ(Utf8(Control<QToolButton>(form, "NewBtn")->text()), "&Neu");
  EXPECT_EQ(Utf8(OpenBtn->text()), "Ö&ffnen...");
  EXPECT_EQ(Utf8(OpenBtn->toolTip()).rfind("Album öffnen... (", 0), 0u);  // then its key
  EXPECT_EQ(Utf8(Control<QToolButton>(form, "SaveAsBtn")->text()), "Speichern &unter...");
  EXPECT_EQ(Utf8(EndeBtn->toolTip()), "Hiermit verlassen Sie das Programm");
  EXPECT_EQ(Utf8(Control<QLabel>(form, "ueberbtn")->toolTip()), "Informationen über das Programm");
  EXPECT_EQ(Utf8(Control<QToolButton>(form, "wwwBtn")->toolTip()), "Auf zur Vendrix Homepage...");
  EXPECT_EQ(Utf8(Control<QLabel>(form, "GoBtn1")->toolTip()).rfind("HTML-Dateien erstellen! (", 0), 0u);
  EXPECT_FALSE(EndeBtn->isHidden());
  EXPECT_TRUE(Control<QLabel>(form, "EndeBtnDown")->isHidden());
}

// Tests, scripts and the remembered splitter positions find controls by
// name: each name must lead to exactly one control.
TEST_F(StartUp, EachControlNameIsFoundOnce) {
  TMainForm& form = Form();
  for (const char* name :
       {"NewBtn",        "OpenBtn",         "SaveBtn",        "SaveAsBtn",    "RecentMenu",    "PageControl2",
        "TabSheet1",     "TabSheet3",       "TabSheet5",      "TabSheet4",    "PrefListBox",   "JamShellTree1",
        "JamShellList1", "FilterComboBox1", "DibPrevPaint",   "AddBtn",       "DelBtn",        "ViewBtn",
        "PrintBtn",      "ImageList",       "SourceSplitter", "PageSplitter", "AlbumSplitter", "SortBox",
        "UpNow",         "DownNow",         "ImageBox",       "ShowComment",  "ComMemo",       "GoBtn",
        "GoBtn1",        "GoBtn1Down",      "TemplateBox",    "PageControl1", "BKColorBox",    "BKColorBox2",
        "BreitEd",       "HochEd",          "CaptionED",      "FreeText",     "AnzEd",         "BorderEd",
        "backlink",      "Caption2ED",      "Border2ED",      "UploadInfo",   "WebBrowser1",   "wwwBtn",
        "ueberButton",   "ueberbtn",        "ueberBtn2",      "EndeButton",   "EndeBtn",       "EndeBtnDown",
        "StopBtn",       "StatusBar1"})
    EXPECT_EQ(form.findChildren<QWidget*>(name).size(), 1) << name;
}

TEST_F(StartUp, AlbumControlsStartEmptyAndDisabled) {
  TMainForm& form = Form();
  QPlainTextEdit* ComMemo = Control<QPlainTextEdit>(form, "ComMemo");
  QPushButton* DelBtn = Control<QPushButton>(form, "DelBtn");
  QCheckBox* ShowComment = Control<QCheckBox>(form, "ShowComment");
  QPushButton* ViewBtn = Control<QPushButton>(form, "ViewBtn");
  EXPECT_TRUE(form.Document().Pictures().empty());
  EXPECT_TRUE(Control<QPushButton>(form, "AddBtn")->isEnabled());
  EXPECT_FALSE(DelBtn->isEnabled());
  EXPECT_FALSE(ViewBtn->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(form, "PrintBtn")->isEnabled());
  EXPECT_EQ(Utf8(DelBtn->text()), "&Löschen");
  EXPECT_EQ(Utf8(ViewBtn->text()), "&Groß anzeigen");
  EXPECT_FALSE(ShowComment->isEnabled());
  EXPECT_TRUE(ShowComment->isChecked());
  EXPECT_FALSE(ComMemo->isEnabled());
  EXPECT_TRUE(ComMemo->toPlainText().isEmpty());
  EXPECT_EQ(Control<app::TStatusBar>(form, "StatusBar1")->Progress().Percent(), 0);
}

TEST_F(StartUp, GenerationSettingsHaveTheirDefaults) {
  TMainForm& form = Form();
  QSpinBox* AnzEd = Control<QSpinBox>(form, "AnzEd");
  QSpinBox* BorderEd = Control<QSpinBox>(form, "BorderEd");
  QSpinBox* BreitEd = Control<QSpinBox>(form, "BreitEd");
  QCheckBox* backlink = Control<QCheckBox>(form, "backlink");
  EXPECT_EQ(Control<app::TColorBox>(form, "BKColorBox")->HTMLcolor(), "#C0C0C0");
  EXPECT_EQ(Control<app::TColorBox>(form, "BKColorBox2")->HTMLcolor(), "#FFFFFF");
  EXPECT_EQ(BreitEd->value(), 90);
  EXPECT_EQ(BreitEd->maximum(), 1000);
  EXPECT_EQ(Control<QSpinBox>(form, "HochEd")->value(), 90);
  EXPECT_EQ(AnzEd->value(), 5);
  EXPECT_EQ(AnzEd->minimum(), 1);
  EXPECT_EQ(AnzEd->maximum(), 50);
  EXPECT_EQ(BorderEd->value(), 3);
  EXPECT_EQ(BorderEd->maximum(), 10);
  EXPECT_EQ(Control<QSpinBox>(form, "Border2ED")->value(), 3);
  EXPECT_EQ(Utf8(Control<QLineEdit>(form, "CaptionED")->text()), "Web Lumivista");
  EXPECT_EQ(Utf8(Control<QLineEdit>(form, "FreeText")->text()),
            "Klicken Sie auf die Bilder, um sie in Originalgröße zu sehen.");
  EXPECT_EQ(Utf8(Control<QLineEdit>(form, "Caption2ED")->text()), "Web Lumivista");
  EXPECT_TRUE(backlink->isChecked());
  EXPECT_EQ(Utf8(backlink->text()), "Link zur Vendrix Homepage einfügen - vielen Dank!");
  EXPECT_FALSE(Control<QComboBox>(form, "TemplateBox")->isEditable());
  EXPECT_EQ(Utf8(Control<QTabWidget>(form, "PageControl1")->tabText(2)), "Informationen zum Hochladen");
  EXPECT_TRUE(Control<QLabel>(form, "UploadInfo")->text().startsWith("Das Programm erstellt alle nötigen Dateien"));
}

TEST_F(StartUp, PreviewIsAWhitePicture) {
  // 320 x 200 fitted into 181 x 75: white from the top left to (119, 74), the
  // pane's own background beside it.
  const QImage shown = PreviewShown();
  for (const QPoint at : {QPoint(0, 0), QPoint(119, 0), QPoint(60, 37), QPoint(119, 74), QPoint(0, 74)})
    EXPECT_EQ(shown.pixelColor(at), QColor(Qt::white)) << at.x() << "," << at.y();
  EXPECT_NE(shown.pixelColor(122, 37), QColor(Qt::white));
  EXPECT_NE(shown.pixelColor(180, 0), QColor(Qt::white));
}

TEST_F(StartUp, TemplatesFavouritesFilterAndFolder) {
  apptest::WriteTemplateSet(folder_, "modern");
  apptest::WriteTemplateSet(folder_, "Klassisch");
  folder_.Write("template/liesmich.txt", "kein Ordner");
  folder_.Write("folders.dat", "/Bilder/\r\n/Urlaub/\r\n/Bilder/\r\n");
  TMainForm& form = Form();
  QComboBox* FilterComboBox1 = Control<QComboBox>(form, "FilterComboBox1");
  QComboBox* TemplateBox = Control<QComboBox>(form, "TemplateBox");
  ASSERT_EQ(TemplateBox->count(), 2);
  EXPECT_EQ(Utf8(TemplateBox->itemText(0)), "Klassisch");
  EXPECT_EQ(TemplateBox->currentIndex(), 0);
  EXPECT_EQ(Lines(List("PrefListBox")), (std::vector<std::string>{"/Bilder/", "/Urlaub/", "/Bilder/"}));
  EXPECT_GT(FilterComboBox1->count(), 1);
  EXPECT_EQ(FilterComboBox1->currentIndex(), 0);
  EXPECT_EQ(platform::IncludeTrailingDelimiter(Folders().SelectedFolder()), platform::ProgramFolder());
}

// Installed as PREFIX/bin with the designs in PREFIX/share: the tree and the
// album dialogs start in the pictures folder, else in the home folder.
TEST_F(StartUp, InstalledProgramStartsInThePicturesFolderElseHome) {
  folder_.MakeFolder("prefix/share/web-lumivista/template");
  folder_.MakeFolder("prefix/bin");
  folder_.MakeFolder("home/Bilder");
  folder_.Write("config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  platform::SetProgramFolder(folder_.Path("prefix/bin/"));
  const ScopedVariable home("HOME", folder_.Path("home"));
  const ScopedVariable config("XDG_CONFIG_HOME", folder_.Path("config"));
  TMainForm& form = Form();
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("home/Bilder"));
  form.Actions().Open->trigger();
  ASSERT_EQ(dialogs_.Shown.size(), 1u);
  EXPECT_EQ(dialogs_.Shown[0].InitialFolder, folder_.Path("home/Bilder/"));

  std::filesystem::remove(folder_.Path("home/Bilder"));
  form_.reset();
  EXPECT_EQ(Folders().SelectedFolder(), folder_.Path("home"));
}

TEST_F(StartUp, NoTemplateFolderAndNoFavouritesFile) {
  TMainForm& form = Form();
  EXPECT_EQ(Control<QComboBox>(form, "TemplateBox")->count(), 0);
  EXPECT_EQ(List("PrefListBox")->LineCount(), 0);
  EXPECT_TRUE(messages_.Calls.empty());
}

using Closing = MainFormTest;

TEST_F(Closing, CancelKeepsEverything) {
  apptest::WritePicture(folder_.Path("a.jpg"), 8, 8);
  TMainForm& form = Form();
  form.show();
  DropOnAlbumList({folder_.Path("a.jpg")});
  messages_.Answers = {false};
  EXPECT_FALSE(form.close());
  ASSERT_EQ(messages_.Calls.size(), 1u);
  EXPECT_EQ(messages_.Calls[0].Kind, "confirm");
  EXPECT_EQ(messages_.Calls[0].Text,
            "Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!");
  EXPECT_EQ(messages_.Calls[0].Caption, "Programm beenden");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Document().Pictures().size(), 1u);
  EXPECT_EQ(List("ImageList")->LineCount(), 1);
}

TEST_F(Closing, OkClosesAndEveryCloseAsks) {
  TMainForm& form = Form();
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_EQ(messages_.Calls.size(), 2u);
}

using Progress = MainFormTest;

TEST_F(Progress, ReportsFromTheImageLibraryMoveTheBar) {
  TMainForm& form = Form();
  app::TStatusBar* StatusBar1 = Control<app::TStatusBar>(form, "StatusBar1");
  form.Progress(20);
  EXPECT_EQ(StatusBar1->Progress().Percent(), 20);
  StatusBar1->grab();  // draws the status bar once
  EXPECT_EQ(StatusBar1->Progress().Rect(), StatusBar1->Panel1Rect());
  EXPECT_EQ(StatusBar1->Panel1Rect().Left, app::TStatusBar::kPanel0Width + 2);
  form.Progress(10);
  EXPECT_EQ(StatusBar1->Progress().Percent(), 10);
}

// A long text widens its panel, a text cut to fit is in the tooltip, and the
// bar empties once a preview has been loaded.
TEST_F(Progress, StatusBarMakesRoomForTextAndEmptiesWhenDone) {
  apptest::WritePicture(folder_.Path("pics/a.jpg"), 64, 48);
  TMainForm& form = Form();
  form.resize(1000, 700);
  form.show();
  app::TStatusBar* StatusBar1 = Control<app::TStatusBar>(form, "StatusBar1");
  const QString longText = "Dieses Zeichen kann Web Lumivista nicht speichern; es wurde nicht übernommen.";
  StatusBar1->SetText(longText);
  EXPECT_GE(StatusBar1->Panel0Width(), StatusBar1->fontMetrics().horizontalAdvance(longText));
  EXPECT_EQ(StatusBar1->Panel1Rect().Left, StatusBar1->Panel0Width() + 2);
  StatusBar1->grab();
  EXPECT_TRUE(StatusBar1->toolTip().isEmpty());
  form.resize(400, 700);
  StatusBar1->grab();
  EXPECT_EQ(StatusBar1->toolTip(), longText);

  ShowFolder(folder_.Path("pics"), 1);
  SelectInList({"a.jpg"});
  QTest::keyClick(Control<app::ShellListView>(form, "JamShellList1"), Qt::Key_Return);
  EXPECT_EQ(StatusBar1->Progress().Percent(), 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return StatusBar1->Progress().Percent() == 0; }, 5000));
}

using Preview = MainFormTest;

TEST_F(Preview, PaneShowsThePictureFittedAtTheTopLeft) {
  apptest::WritePicture(folder_.Path("grau/grau.jpg"), 64, 40);
  TMainForm& form = Form();
  QWidget* DibPrevPaint = Control<QWidget>(form, "DibPrevPaint");
  DibPrevPaint->setFixedSize(181, 75);
  QImage white = DibPrevPaint->grab().toImage();
  EXPECT_EQ(white.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(white.pixelColor(119, 74), QColor(Qt::white));
  ShowFolder(folder_.Path("grau"), 1);
  SelectInList({"grau.jpg"});
  QTest::keyClick(Control<app::ShellListView>(form, "JamShellList1"), Qt::Key_Return);
  const QImage grey = DibPrevPaint->grab().toImage();
  EXPECT_NEAR(grey.pixelColor(10, 10).red(), 0x80, 2);
  EXPECT_NEAR(grey.pixelColor(119, 74).green(), 0x80, 2);
}

using WindowState = MainFormTest;

TEST_F(WindowState, SplitterPositionsAreRemembered) {
  {
    TMainForm& form = Form();
    form.show();
    form.resize(900, 650);
    Control<QSplitter>(form, "SourceSplitter")->setSizes({100, 500});
    ASSERT_TRUE(form.close());
  }
  form_.reset();
  TMainForm& again = Form();
  again.show();
  EXPECT_EQ(again.size(), QSize(900, 650));
  EXPECT_EQ(Control<QSplitter>(again, "SourceSplitter")->sizes().value(0), 100);
}
