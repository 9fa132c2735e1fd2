// Takes the README's screenshots of the main window's five pages: opens an
// album, previews its first picture, generates it into a work folder and
// saves one picture per page. Then a run in progress and its closing summary.
// Usage:
//   lumivista-screenshots ALBUM.lva OUTPUT_FOLDER WORK_FOLDER
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>

#include "app/AlbumDocument.h"
#include "app/FileListModel.h"
#include "app/FolderBrowser.h"
#include "app/ListBox.h"
#include "app/MainUnit.h"
#include "app/ResultBrowser.h"
#include "app/StatusBar.h"
#include "app/WindowActions.h"
#include "platform/Cp1252.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtMessages.h"
#include "platform/qt/QtText.h"

namespace {

using app::TMainForm;

class PrintedMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon) override {
    std::fprintf(stderr, "%s: %s\n", platform::AnsiToUtf8(caption).c_str(), platform::AnsiToUtf8(text).c_str());
  }
  bool Confirm(const std::string&, const std::string&) override { return true; }
  void ShowError(const std::string& text) override { MessageBox(text, platform::ApplicationTitle, {}); }
};

// A control of the window by its object name.
template <class T>
T* Control(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(name);
  if (!control) std::fprintf(stderr, "no control named %s\n", name);
  return control;
}

// Answers every save dialog with one path.
class FixedDialogs : public platform::FileDialogs {
 public:
  explicit FixedDialogs(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> OpenFileName(const platform::FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> SaveFileName(const platform::FileDialogOptions&) override { return path_; }

 private:
  std::string path_;
};

// The window as Qt draws it; on a real display the browser engine's part is
// taken from the screen, where the engine drew it.
QPixmap Picture(TMainForm& form) {
  QPixmap picture = form.grab();
  QWidget* browser = Control<app::ResultBrowser>(form, "WebBrowser1");
  if (QGuiApplication::platformName() != "xcb" || !browser->isVisible()) return picture;
  const QPoint at = browser->mapToGlobal(QPoint(0, 0));
  QPainter painter(&picture);
  painter.drawPixmap(browser->mapTo(&form, QPoint(0, 0)),
                     form.screen()->grabWindow(0, at.x(), at.y(), browser->width(), browser->height()));
  return picture;
}

bool SavePage(TMainForm& form, int page, const QString& folder, const QString& name, int settleMs) {
  Control<QTabWidget>(form, "PageControl2")->setCurrentIndex(page);
  QTest::qWait(settleMs);
  const QString path = folder + "/app-" + QString::number(page + 1) + "-" + name + ".png";
  const QPixmap shot = Picture(form);
  const bool saved = shot.save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

bool SaveShot(const QPixmap& shot, const QString& path) {
  const bool saved = shot.save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

// Large pictures, so the run lasts long enough to be seen, and one that
// cannot be read.
QStringList RunPictures(const QString& folder) {
  QDir().mkpath(folder);
  QStringList paths;
  for (int i = 1; i <= 10; ++i) {
    QImage picture(3000, 2000, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 3000, 2000);
    gradient.setColorAt(0, QColor::fromHsv(i * 30, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv(i * 30 + 120, 200, 90));
    painter.fillRect(picture.rect(), gradient);
    painter.end();
    const QString path = folder + QString("/foto%1.jpg").arg(i, 2, 10, QChar('0'));
    picture.save(path, "JPEG", 90);
    paths << path;
  }
  QFile broken(folder + "/kaputt.jpg");
  if (broken.open(QIODevice::WriteOnly)) broken.write("kein Bild");
  paths << broken.fileName();
  return paths;
}

// Drops the files on the album list, as a file manager would.
void DropOnAlbumList(TMainForm& form, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  QWidget* list = Control<app::ListBox>(form, "ImageList")->viewport();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &drop);
}

// The window with the box shown over it.
QPixmap WithBox(TMainForm& form, QWidget* box) {
  QPixmap shot = Picture(form);
  QPainter painter(&shot);
  painter.drawPixmap(box->mapToGlobal(QPoint(0, 0)) - form.mapToGlobal(QPoint(0, 0)), box->grab());
  return shot;
}

// A run in progress ("Bild n von N") and its closing summary, with the real
// message boxes: the thumbnails' folder is taken by a file, so every
// thumbnail fails and the summary lists them.
bool SaveRunShots(const QString& output, const std::string& work) {
  const QString folder = platform::ToQString(work) + "/lauf";
  const QStringList pictures = RunPictures(folder + "/fotos");
  QDir().mkpath(folder + "/web");
  QFile taken(folder + "/web/mini");
  if (!taken.open(QIODevice::WriteOnly)) return false;
  taken.close();

  platform::QtMessages messages;
  FixedDialogs dialogs(platform::FromQString(folder) + "/web/index.htm");
  TMainForm form(messages, dialogs);
  messages.SetParent(&form);
  form.show();
  form.setGeometry(QRect(0, 0, 1100, 760));
  QTest::qWait(300);
  DropOnAlbumList(form, pictures);
  Control<QTabWidget>(form, "PageControl2")->setCurrentIndex(3);
  bool running = false, summary = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &form, [&] {
    if (!running && Control<app::TStatusBar>(form, "StatusBar1")->Text() == "Bild 4 von 11")
      running = SaveShot(Picture(form), output + "/app-6-lauf.png");
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    const auto* message = qobject_cast<QMessageBox*>(box);
    if (message && message->text().startsWith("Folgende Dateien"))
      summary = SaveShot(WithBox(form, box), output + "/app-7-abschluss.png");
    box->close();
  });
  watch.start(50);
  form.Actions().Generate->trigger();
  form.hide();
  return running && summary;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  app::UseGermanLanguage();  // as the program does
  if (argc != 4) {
    std::fprintf(stderr, "usage: lumivista-screenshots ALBUM.lva OUTPUT_FOLDER WORK_FOLDER\n");
    return 2;
  }
  const QString album = QDir(argv[1]).absolutePath();
  const QString output = QDir(argv[2]).absolutePath();
  const std::string work = platform::FromFileSystem(QDir(argv[3]).absolutePath().toStdString());
  QDir().mkpath(output);

  PrintedMessages messages;
  FixedDialogs dialogs(work + "/album/index.htm");
  TMainForm form(messages, dialogs);
  form.show();
  form.setGeometry(QRect(0, 0, 1100, 760));
  QTest::qWait(300);
  form.OpenFromCommandLine({QCoreApplication::applicationFilePath(), album});
  if (form.Document().Path() != platform::FromQString(album)) return 1;
  form.findChild<app::FolderBrowser*>()->SelectFolder(platform::FromQString(QFileInfo(album).absolutePath()));
  auto* ImageList = Control<app::ListBox>(form, "ImageList");
  ImageList->SetCurrentLine(0);
  QTest::keyClick(ImageList, Qt::Key_Return);  // the first picture in the preview
  Control<app::ListBox>(form, "ImageBox")->SetCurrentLine(1);

  bool ok = SavePage(form, 0, output, "bilder-hinzufuegen", 1500);
  ok = SavePage(form, 1, output, "sortieren", 300) && ok;
  ok = SavePage(form, 2, output, "kommentare", 300) && ok;
  ok = SavePage(form, 3, output, "lumivista-erstellen", 300) && ok;
  form.Actions().Generate->trigger();
  ok = Control<QTabWidget>(form, "PageControl2")->currentIndex() == 4 &&
       SavePage(form, 4, output, "ergebnis-betrachten", 4000) && ok;
  form.hide();
  ok = SaveRunShots(output, work) && ok;
  return ok ? 0 : 1;
}
