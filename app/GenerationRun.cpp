#include "app/GenerationRun.h"

#include <QEventLoop>
#include <QThread>
#include <thread>

namespace app {

// The generator's view of the window, on the worker thread.
class WorkerReports : public platform::Messages, public platform::ProgressReceiver, public generator::PictureObserver {
 public:
  explicit WorkerReports(GenerationRun& run) : run_(run) {}

  void MessageBox(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
    run_.OnWindowThread([&] { run_.messages_.MessageBox(text, caption, icon); });
  }
  bool Confirm(const std::string& text, const std::string& caption) override {
    bool answer = false;
    run_.OnWindowThread([&] { answer = run_.messages_.Confirm(text, caption); });
    return answer;
  }
  void ShowError(const std::string& text) override {
    run_.OnWindowThread([&] { run_.messages_.ShowError(text); });
  }
  void MessageBoxWithDetail(const std::string& text, const std::string& detail, const std::string& caption,
                            platform::MessageIcon icon) override {
    run_.OnWindowThread([&] { run_.messages_.MessageBoxWithDetail(text, detail, caption, icon); });
  }
  bool MessageBoxOrQuiet(const std::string& text, const std::string& detail, const std::string& caption,
                         platform::MessageIcon icon, const std::string& optOut) override {
    bool quiet = false;
    run_.OnWindowThread([&] { quiet = run_.messages_.MessageBoxOrQuiet(text, detail, caption, icon, optOut); });
    return quiet;
  }

  void Progress(int percent) override {
    const std::lock_guard lock(run_.progressLock_);
    run_.progress_.FileProgress(percent);
  }
  void PictureStarted(int32_t number, int32_t count) override {
    const std::lock_guard lock(run_.progressLock_);
    run_.progress_.PictureStarted(number, count);
  }

 private:
  GenerationRun& run_;
};

void GenerationRun::OnWindowThread(const std::function<void()>& call) {
  if (QThread::currentThread() == thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

RunProgress GenerationRun::Progress() const {
  const std::lock_guard lock(progressLock_);
  return progress_;
}

generator::GenerationResult GenerationRun::Run(const album::AlbumPictures& pictures,
                                               const generator::GenerationRequest& request) {
  WorkerReports reports(*this);
  const generator::OverviewPathChooser chooser = request.ChooseOverviewPath;
  const generator::UpdateQuestion ask = request.AskUpdate;
  generator::GenerationRequest onWorker{request.Settings,
                                        request.TemplateSetFolder,
                                        [&] {
                                          std::optional<std::string> path;
                                          OnWindowThread([&] { path = chooser(); });
                                          return path;
                                        },
                                        request.Jobs,
                                        {}};
  if (ask) {
    onWorker.AskUpdate = [&](generator::RecordTrust trust) {
      generator::UpdateChoice choice = generator::UpdateChoice::Cancel;
      OnWindowThread([&] { choice = ask(trust); });
      return choice;
    };
  }
  generator::GenerationResult result;
  QEventLoop loop;
  std::thread worker([&] {
    result =
        generator::GenerateAlbum(pictures, onWorker, generator::ExportReporting{reports, &reports, &reports, &stop_});
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  return result;
}

}  // namespace app
