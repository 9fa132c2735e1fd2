#pragma once
// The one QApplication of a test program that draws or reads settings
// without a window fixture; made on first use and kept for the process.
#include <QApplication>

inline void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "lumivista_tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}
