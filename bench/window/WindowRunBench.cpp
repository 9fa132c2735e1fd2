// Two generation runs of one album through the main window, in one process,
// with the result page shown in between, as a user would: "Los!", look at the
// result, "Los!" again. Prints the seconds of each run.
// Usage: window_run_bench ALBUM.lva OUT_FOLDER
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <deque>

#include "app/AlbumDocument.h"
#include "app/MainUnit.h"
#include "app/WindowActions.h"
#include "platform/Messages.h"
#include "platform/qt/FileDialogs.h"

namespace {

class PrintedMessages : public platform::Messages {
 public:
  void MessageBox(const std::string& text, const std::string&, platform::MessageIcon) override {
    std::fprintf(stderr, "window run: %s\n", text.c_str());
  }
  bool Confirm(const std::string&, const std::string&) override { return true; }
  void ShowError(const std::string& text) override { MessageBox(text, {}, platform::MessageIcon::Error); }
};

class OverviewPaths : public platform::FileDialogs {
 public:
  std::optional<std::string> OpenFileName(const platform::FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> SaveFileName(const platform::FileDialogOptions&) override {
    if (Paths.empty()) return std::nullopt;
    std::string path = Paths.front();
    Paths.pop_front();
    return path;
  }
  std::deque<std::string> Paths;
};

void Wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Seconds {
  double Wall = 0, Cpu = 0;
};

Seconds TimedRun(app::TMainForm& form) {
  QElapsedTimer timer;
  timer.start();
  const double cpu = CpuSeconds();
  form.Actions().Generate->trigger();
  return {static_cast<double>(timer.nsecsElapsed()) / 1e9, CpuSeconds() - cpu};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_run_bench ALBUM.lva OUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  PrintedMessages messages;
  OverviewPaths dialogs;
  const std::string out = argv[2];
  dialogs.Paths = {out + "/first/index.htm", out + "/second/index.htm"};
  app::TMainForm form(messages, dialogs);
  form.show();
  Wait(500);
  form.OpenFromCommandLine({QString::fromLocal8Bit(argv[0]), QString::fromLocal8Bit(argv[1])});
  if (!form.Document().Path()) return 1;
  const Seconds first = TimedRun(form);
  Wait(3000);  // the result page is shown and drawn by the browser engine
  // Back on "Lumivista erstellen" for the next "Los!".
  form.findChild<QTabWidget*>("PageControl2")->setCurrentIndex(3);
  Wait(200);
  const Seconds second = TimedRun(form);
  std::printf("%.2f %.2f %.2f %.2f\n", first.Wall, second.Wall, first.Cpu, second.Cpu);
  return 0;
}
