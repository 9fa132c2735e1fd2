// The desktop program's tests need one application object for all tests.
#include "support/RunTests.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Also when the test list is read without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Remembered window sizes go to a folder of this test process, never the
  // user's settings nor those of tests running beside it.
  const QString settings = QDir::temp().filePath("lumivista-app-settings-" + QString::number(QCoreApplication::applicationPid()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  QApplication application(argc, argv);
  const int result = testsupport::RunTests();
  QDir(settings).removeRecursively();
  return result;
}
