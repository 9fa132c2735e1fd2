// The desktop program's tests need one application object for all tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Also when the test list is read without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Remembered window sizes go to a test location, never the user's.
  QStandardPaths::setTestModeEnabled(true);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
