#pragma once
// One generation run on a worker thread while the window's event loop goes
// on: the window stays painted and can be looked around in. The generator's
// messages and its overview dialog are handed to the window's thread and
// answered there, the worker waiting; its progress is only stored, and the
// window reads it at its own pace.
#include <QObject>
#include <atomic>
#include <mutex>

#include "album/AlbumPicture.h"
#include "app/logic/RunProgress.h"
#include "generator/GenerateAlbum.h"

namespace app {

class GenerationRun : public QObject {
  Q_OBJECT

 public:
  // `messages` and the request's chooser are called on this object's thread.
  explicit GenerationRun(platform::Messages& messages, QObject* parent = nullptr)
      : QObject(parent), messages_(messages) {}

  // Runs the whole generation and returns when it has ended, handling the
  // thread's events meanwhile.
  generator::GenerationResult Run(const album::AlbumPictures& pictures, const generator::GenerationRequest& request);

  // Stops the run after the pictures in work.
  void RequestStop() { stop_ = true; }
  bool StopRequested() const { return stop_; }

  // The progress so far, safe to read while the worker runs.
  RunProgress Progress() const;

 private:
  friend class WorkerReports;
  // Runs `call` on this object's thread and waits for it.
  void OnWindowThread(const std::function<void()>& call);

  platform::Messages& messages_;
  std::atomic<bool> stop_{false};
  mutable std::mutex progressLock_;
  RunProgress progress_;
};

}  // namespace app
