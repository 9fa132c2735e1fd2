// The main window on a real X server: what the server shows must be what the
// widgets draw, after a run, after the result page was seen, after switching
// pages, minimising and resizing; and the result page must work where the X
// server offers no OpenGL.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include "AppTestSupport.h"
#include "app/MainUnit.h"
#include "app/ResultBrowser.h"
#include "app/StatusBar.h"

using apptest::Control;
using apptest::MainFormTest;

namespace {

QStringList qtWarnings;

void RecordQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg) qtWarnings << message;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

QImage ServerPixels(const QRect& globalRect) {
  return QApplication::primaryScreen()
      ->grabWindow(0, globalRect.x(), globalRect.y(), globalRect.width(), globalRect.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

QRect GlobalRect(const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 && std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// The share of the widget's pixels that the X server shows as the widget
// draws them.
double ShareShownAsDrawn(QWidget* widget) {
  const QImage drawn = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage shown = ServerPixels(GlobalRect(widget));
  if (drawn.size() != shown.size()) return 0;
  int64_t same = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x) same += Near(drawn.pixel(x, y), shown.pixel(x, y));
  return static_cast<double>(same) / (static_cast<double>(drawn.width()) * drawn.height());
}

// The same, once it reached 0.9 or after a few seconds: a busy machine may
// take a while to draw.
double ShareShownAsDrawnSoon(QWidget* widget) {
  double share = 0;
  static_cast<void>(QTest::qWaitFor([&] { return (share = ShareShownAsDrawn(widget)) > 0.9; }, 5000));
  return share;
}

// The share of the widget's area the X server shows in `colour`.
double ShareInColourOnServer(const QWidget* widget, QRgb colour) {
  const QImage shown = ServerPixels(GlobalRect(widget));
  int64_t inColour = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) inColour += Near(shown.pixel(x, y), colour);
  return static_cast<double>(inColour) / (static_cast<double>(shown.width()) * shown.height());
}

// The album's first background colour, which the result page is filled with.
constexpr QRgb kAlbumBackground = 0xFFC0C0C0;

// With LUMIVISTA_XSERVER_SHOTS naming a folder, the window as the X server
// shows it is kept there as `name`.png (the README's screenshots).
void KeepScreen(const QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("LUMIVISTA_XSERVER_SHOTS");
  if (!folder.isEmpty()) ServerPixels(window.frameGeometry()).save(folder + "/" + name + ".png");
}

void SettleScreen(int milliseconds = 400) {
  QTest::qWait(milliseconds);
  QCoreApplication::processEvents();
}

}  // namespace

class WindowOnXServer : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    qtWarnings.clear();
    previousHandler_ = qInstallMessageHandler(RecordQtMessage);
    apptest::WriteTemplateSet(folder_, "Einfach");
  }
  void TearDown() override {
    qInstallMessageHandler(previousHandler_);
    MainFormTest::TearDown();
  }
  // Shows the window and makes a run of three pictures; the run ends on the
  // result page.
  void ShowAndRun() {
    TMainForm& form = Form();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    std::vector<std::string> paths;
    for (int i = 1; i <= 3; ++i) {
      paths.push_back(folder_.Path("pics/p" + std::to_string(i) + ".jpg"));
      apptest::WritePicture(paths.back(), 400, 300);
    }
    form.AddDroppedFiles(paths);
    dialogs_.Paths = {folder_.Path("web/album.htm")};
    form.GoBtn1Click();
    // The browser engine starts and draws the page.
    static_cast<void>(QTest::qWaitFor([this] { return ResultPageShown(); }, 20000));
  }
  bool ResultPageShown() {
    return ShareInColourOnServer(Control<app::ResultBrowser>(Form(), "WebBrowser1"), kAlbumBackground) > 0.5;
  }
  // The window's frame as the server shows it; `when` names the moment.
  void ExpectFrameShown(const char* when) {
    TMainForm& form = Form();
    SettleScreen();
    EXPECT_GT(ShareShownAsDrawnSoon(form.findChild<QToolBar*>()), 0.9) << "tool row " << when;
    EXPECT_GT(ShareShownAsDrawnSoon(Control<QTabWidget>(form, "PageControl2")->tabBar()), 0.9) << "tabs " << when;
    EXPECT_GT(ShareShownAsDrawnSoon(Control<app::TStatusBar>(form, "StatusBar1")), 0.9) << "status bar " << when;
    KeepScreen(form, QString(when).replace(' ', '-'));
  }
  std::string StatusText() { return Control<app::TStatusBar>(Form(), "StatusBar1")->Text().toStdString(); }

  QtMessageHandler previousHandler_ = nullptr;
};

TEST_F(WindowOnXServer, FrameStaysDrawnAfterRunPageSwitchesMinimiseAndResize) {
  ShowAndRun();
  QTabWidget* pages = Control<QTabWidget>(Form(), "PageControl2");
  ASSERT_EQ(pages->currentIndex(), 4);
  EXPECT_EQ(StatusText().rfind("Fertig:", 0), 0u) << StatusText();
  ExpectFrameShown("after the run");
  EXPECT_TRUE(ResultPageShown());

  // Without a window manager nobody gives the window back the keyboard
  // after the browser engine started; a user would click it.
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus ? focus : &Form(), Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_EQ(pages->currentIndex(), 0);
  ExpectFrameShown("after Ctrl+Tab");
  EXPECT_GT(ShareShownAsDrawnSoon(pages), 0.9) << "first page";
  pages->setCurrentIndex(4);
  pages->setCurrentIndex(3);
  ExpectFrameShown("after the result page and back");
  EXPECT_GT(ShareShownAsDrawnSoon(pages), 0.9) << "generate page";

  Form().showMinimized();
  SettleScreen();
  Form().showNormal();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
  ExpectFrameShown("after minimise and restore");
  Form().resize(Form().width() - 120, Form().height() - 80);
  ExpectFrameShown("after a resize");
  EXPECT_EQ(StatusText().rfind("Fertig:", 0), 0u) << StatusText();

  for (const QString& warning : qtWarnings) {
    EXPECT_FALSE(warning.contains("OpenGL") || warning.contains("QRhi")) << warning.toStdString();
  }
}

// Started without OpenGL, this test runs itself again in a program whose X
// connection has no OpenGL, as with QT_XCB_GL_INTEGRATION=none.
TEST_F(WindowOnXServer, ResultPageWithoutOpenGL) {
  if (qgetenv("QT_XCB_GL_INTEGRATION") != "none") {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_XCB_GL_INTEGRATION", "none");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=WindowOnXServer.ResultPageWithoutOpenGL"});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    return;
  }
  ShowAndRun();
  EXPECT_EQ(StatusText().rfind("Fertig:", 0), 0u) << StatusText();
  ExpectFrameShown("without OpenGL after the run");
  app::ResultBrowser* result = Control<app::ResultBrowser>(Form(), "WebBrowser1");
  EXPECT_GT(ShareShownAsDrawnSoon(result), 0.9) << "result page";
  EXPECT_TRUE(ResultPageShown());
}
