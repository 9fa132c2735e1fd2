// Program entry: the application, the main window and the viewer, which is
// created hidden and reused for every picture shown large.
#include <QApplication>
#include <QPrinter>

#include "app/AboutBoxUnit.h"
#include "app/FileListModel.h"
#include "app/MainUnit.h"
#include "drawing/DeviceContext.h"
#include "drawing/qt/PainterDeviceContext.h"
#include "platform/ProgramVersion.h"
#include "platform/qt/DesktopIntegration.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtMessages.h"
#include "viewer/PrintFUnit.h"
#include "viewer/ViewPicFUnit.h"

#ifndef _WIN32
#include <unistd.h>
#endif

int main(int argc, char* argv[]) {
  if (platform::PrintVersionIfAsked(argc, argv)) return 0;
#ifndef _WIN32
  // The browser engine refuses to start its sandbox as root; the result page
  // shows only the album's own local files.
  if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  app::SetApplicationTitle();
  platform::SetUpDesktopIntegration();
  app::UseGermanLanguage();

  // Drawing picks its halftone path from the desktop's real colour depth.
  drawing::SetScreenBitsPerPixelQuery(drawing::QtScreenBitsPerPixel);

  platform::QtMessages messages;
  platform::QtFileDialogs dialogs;
  app::TMainForm form(messages, dialogs);
  messages.SetParent(&form);
  dialogs.SetParent(&form);

  QPrinter printer(QPrinter::HighResolution);
  viewer::TViewPicForm pictureViewer(printer, messages, &form);
  pictureViewer.hide();
  form.ShowViewer = [&pictureViewer](const imaging::RasterImage& picture, const std::string& fileName) {
    pictureViewer.ShowPicture(picture, fileName);
  };
  form.PrintPicture = [&](const imaging::RasterImage& picture, const std::string&) {
    viewer::PrintPicture(picture, viewer::MainWindowPrintTitle, printer, messages, &form);
  };

  form.show();
  form.OpenFromCommandLine(QCoreApplication::arguments());
  return application.exec();
}
