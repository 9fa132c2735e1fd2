// The window's tests on a real X server: the xcb platform on a private Xvfb,
// or on the display a test names when it starts this program again with
// other settings.
#include <cstdio>
#include <optional>

#include "AppTestSupport.h"
#include "support/XvfbServer.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::optional<testsupport::XvfbServer> server;
  if (GTEST_FLAG_GET(list_tests)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else {
    if (qEnvironmentVariableIsEmpty("LUMIVISTA_TEST_DISPLAY")) {
      server.emplace();
      if (server->Display().empty()) {
        std::fprintf(stderr, "Xvfb could not be started\n");
        return 1;
      }
      qputenv("LUMIVISTA_TEST_DISPLAY", QByteArray::fromStdString(server->Display()));
    }
    qputenv("DISPLAY", qgetenv("LUMIVISTA_TEST_DISPLAY"));
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  return apptest::RunWindowTests(argc, argv);
}
