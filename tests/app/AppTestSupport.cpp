#include "AppTestSupport.h"

#include <unistd.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QImage>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/AlbumDocument.h"
#include "app/FileListModel.h"
#include "app/FolderBrowser.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "app/WindowActions.h"
#include "imaging/Rastola.h"
#include "platform/Paths.h"
#include "platform/qt/UserSettings.h"
#include "support/RunTests.h"

// The browser engine, built without AddressSanitizer, frees some of its own
// objects with a sized delete of another type when a page goes away; that
// is not our code and would end every run of the sanitizer tree.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

namespace apptest {

void WritePicture(const std::string& ansiPath, int width, int height, uint8_t grey) {
  std::filesystem::create_directories(std::filesystem::path(platform::ToFileSystem(ansiPath)).parent_path());
  imaging::Image image;
  imaging::newdib(&image, width, height, 24, nullptr, 0);
  ASSERT_TRUE(image);
  std::memset(image->Pixels, grey, image->Info->bmiHeader.biSizeImage);
  const int32_t saved = imaging::SaveDib(*image, ansiPath.c_str(), imaging::kFormatJpeg, nullptr);
  ASSERT_EQ(saved, 1) << ansiPath;
}

bool DropFiles(QWidget* target, const std::vector<std::string>& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return enter.isAccepted();
}

void WriteTemplateSet(const TempFolder& folder, const std::string& name) {
  const std::string set = "template/" + name + "/";
  folder.Write(set + "mainfirst.htm", "<html><body bgcolor=\"%%BGCOLOR%%\"><h1>%%CAPTION%%</h1><table>\n");
  folder.Write(set + "mainloopfirstcol1.htm", "<tr>\n");
  folder.Write(set + "mainloop.htm", "<td><a href=\"%%BIGHTMLSRC%%\"><img src=\"%%MINIPICSRC%%\"></a></td>\n");
  folder.Write(set + "mainloopfirstcol2.htm", "</tr>\n");
  folder.Write(set + "mainloopempty.htm", "<td></td>\n");
  folder.Write(set + "mainend.htm", "</table>%%POWERED%%</body></html>\n");
  folder.Write(set + "detail.htm", "<html><body><img src=\"%%BIGPICSRC%%\">%%COMMENT%%%%LINKS%%</body></html>\n");
  folder.Write(set + "detailprevlink.htm",
               "<a href=\"%%PREVPICLINK%%\">zur\xFC"
               "ck</a>\n");
  folder.Write(set + "detailnextlink.htm", "<a href=\"%%NEXTPICLINK%%\">weiter</a>\n");
  folder.Write(set + "detailoverviewlink.htm",
               "<a href=\"%%OVERVIEWLINK%%\">\xDC"
               "bersicht</a>\n");
}

int RunWindowTests(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  const QString settings =
      QDir::temp().filePath("lumivista-app-settings-" + QString::number(QCoreApplication::applicationPid()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  QApplication application(argc, argv);
  app::UseGermanLanguage();  // as the program does
  const int result = testsupport::RunTests();
  QDir(settings).removeRecursively();
  return result;
}

void MainFormTest::SetUp() {
  platform::SetProgramFolder(folder_.Path());
  // Each test starts as a first program start: no recent albums, no geometry.
  platform::UserSettings().clear();
}

void MainFormTest::TearDown() { form_.reset(); }

std::vector<std::string> Lines(const QAbstractItemView* list) {
  std::vector<std::string> lines;
  for (int row = 0; row < list->model()->rowCount(); ++row)
    lines.push_back(list->model()->index(row, 0).data().toString().toStdString());
  return lines;
}

std::vector<int> SelectedLines(const QAbstractItemView* list) {
  std::vector<int> lines;
  for (int row = 0; row < list->model()->rowCount(); ++row)
    if (list->selectionModel()->isRowSelected(row)) lines.push_back(row);
  return lines;
}

void SelectLines(QAbstractItemView* list, const std::vector<int>& lines) {
  list->selectionModel()->clearSelection();
  for (int line : lines) list->selectionModel()->select(list->model()->index(line, 0), QItemSelectionModel::Select);
}

Qt::CheckState CheckState(const QAbstractItemView* list, int line) {
  return static_cast<Qt::CheckState>(list->model()->index(line, 0).data(Qt::CheckStateRole).toInt());
}

void DoubleClickLine(QAbstractItemView* list, int row) {
  const QModelIndex line = list->model()->index(row, 0, list->rootIndex());
  list->scrollTo(line);
  const QPoint at = list->visualRect(line).center();
  // As the mouse does: the first click, then the second that makes it double.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

app::TMainForm& MainFormTest::Form() {
  if (!form_) form_ = std::make_unique<app::TMainForm>(messages_, dialogs_);
  return *form_;
}

app::FolderBrowser& MainFormTest::Folders() {
  auto* folders = Form().findChild<app::FolderBrowser*>();
  if (!folders) throw std::logic_error("no folder browser");
  return *folders;
}

app::ListBox* MainFormTest::List(const char* name) { return Control<app::ListBox>(Form(), name); }

void MainFormTest::ShowFolder(const std::string& folder, int count) {
  app::TMainForm& form = Form();
  Folders().SelectFolder(folder);
  // A folder made after the window would not be in the tree yet.
  ASSERT_EQ(platform::IncludeTrailingDelimiter(Folders().SelectedFolder()), platform::IncludeTrailingDelimiter(folder));
  const app::ShellListView* list = Control<app::ShellListView>(form, "JamShellList1");
  QAbstractItemModel* model = list->model();
  const bool loaded = QTest::qWaitFor([&] { return model->rowCount(list->rootIndex()) == count; }, 5000);
  ASSERT_TRUE(loaded) << "rows: " << model->rowCount(list->rootIndex());
  // The list sorts by name after a short delay; tests need that order now.
  model->sort(0, Qt::AscendingOrder);
}

void MainFormTest::SelectInList(const std::vector<std::string>& names) {
  app::ShellListView* list = Control<app::ShellListView>(Form(), "JamShellList1");
  QAbstractItemModel* model = list->model();
  const QModelIndex root = list->rootIndex();
  list->clearSelection();
  for (int row = 0; row < model->rowCount(root); ++row) {
    const QModelIndex index = model->index(row, 0, root);
    const std::string name = index.data().toString().toStdString();
    if (std::find(names.begin(), names.end(), name) == names.end()) continue;
    list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  }
}

void MainFormTest::DropOnAlbumList(const std::vector<std::string>& paths) {
  EXPECT_TRUE(DropFiles(List("ImageList")->viewport(), paths));
}

bool MainFormTest::SaveAlbumAs(const std::string& path) {
  dialogs_.Paths = {path};
  Form().Actions().SaveAs->trigger();
  return Form().Document().Path() == path;
}

void MainFormTest::OpenAlbum(const std::string& path) {
  Form().OpenFromCommandLine({"lumivista", QString::fromStdString(path)});
}

QImage MainFormTest::PreviewShown() {
  QWidget* DibPrevPaint = Control<QWidget>(Form(), "DibPrevPaint");
  DibPrevPaint->setFixedSize(181, 75);
  return DibPrevPaint->grab().toImage();
}

}  // namespace apptest
