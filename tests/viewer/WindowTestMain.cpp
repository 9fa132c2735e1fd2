// The window tests run inside one application object that lives as long as
// main, so Qt is torn down in its own order and nothing is left to leak.
#include <QApplication>

#include "support/RunTests.h"

int main(int argc, char** argv) {
  // Listing the tests runs this too, without the tests' environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return testsupport::RunTests();
}
