// main() of every test program that needs nothing set up before its tests.
#include "support/RunTests.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return testsupport::RunTests();
}
