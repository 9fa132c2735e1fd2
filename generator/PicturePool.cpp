#include "generator/PicturePool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace generator {

namespace {

bool StopSet(const std::atomic<bool>* stop) { return stop && stop->load(); }

int32_t Sequential(int32_t count, const std::atomic<bool>* stop, const PictureWorkFunction& work,
                   OrderedConsumer& consumer) {
  int32_t begun = 0;
  for (; begun < count && !StopSet(stop); ++begun) {
    consumer.Begin(begun);
    work(begun, consumer);
    consumer.End(begun);
  }
  return begun;
}

class Pool {
 public:
  Pool(int32_t count, PoolSize size, const std::atomic<bool>* stop, const PictureWorkFunction& work)
      : count_(count), size_(size), stop_(stop), work_(work) {}

  int32_t Run(OrderedConsumer& consumer) {
    std::vector<std::thread> workers;
    // With fewer threads than asked for (the system may refuse more), the
    // ones there do the work; with none, the calling thread does.
    try {
      for (int32_t i = 0; i < size_.Workers; ++i) workers.emplace_back([this] { WorkerLoop(); });
    } catch (const std::system_error&) {
      if (workers.empty()) return Sequential(count_, stop_, work_, consumer);
    }
    for (int32_t index = 0; WaitUntilBegun(index); ++index) {
      consumer.Begin(index);
      while (std::optional<WorkEvent> event = NextEvent(index)) consumer.Take(std::move(*event));
      consumer.End(index);
      Consumed(index);
    }
    for (std::thread& t : workers) t.join();
    return claimed_;
  }

 private:
  struct Slot {
    std::deque<WorkEvent> events;
    bool done = false;
  };

  class SlotSink : public WorkSink {
   public:
    SlotSink(Pool& pool, int32_t index) : pool_(pool), index_(index) {}
    void Take(WorkEvent event) override { pool_.Push(index_, std::move(event)); }

   private:
    Pool& pool_;
    int32_t index_;
  };

  void WorkerLoop() {
    for (;;) {
      const std::optional<int32_t> index = Claim();
      if (!index) return;
      SlotSink sink(*this, *index);
      work_(*index, sink);
      std::lock_guard lock(mutex_);
      slots_[*index].done = true;
      eventReady_.notify_all();
    }
  }

  // The next picture to begin, once the consumer is close enough behind.
  std::optional<int32_t> Claim() {
    std::unique_lock lock(mutex_);
    spaceFree_.wait(lock, [&] { return claimsEnded_ || claimed_ < consumed_ + size_.InFlight; });
    if (!claimsEnded_ && (claimed_ >= count_ || StopSet(stop_))) {
      claimsEnded_ = true;
      spaceFree_.notify_all();
      eventReady_.notify_all();
    }
    if (claimsEnded_) return std::nullopt;
    slots_.try_emplace(claimed_);
    return claimed_++;
  }

  void Push(int32_t index, WorkEvent event) {
    std::lock_guard lock(mutex_);
    slots_[index].events.push_back(std::move(event));
    eventReady_.notify_all();
  }

  bool WaitUntilBegun(int32_t index) {
    std::unique_lock lock(mutex_);
    eventReady_.wait(lock, [&] { return index < claimed_ || claimsEnded_; });
    return index < claimed_;
  }

  // The picture's next event; none once its work is done and all were taken.
  std::optional<WorkEvent> NextEvent(int32_t index) {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[index];
    eventReady_.wait(lock, [&] { return !slot.events.empty() || slot.done; });
    if (slot.events.empty()) return std::nullopt;
    WorkEvent event = std::move(slot.events.front());
    slot.events.pop_front();
    return event;
  }

  // Room for the next picture once this one is fully dealt with.
  void Consumed(int32_t index) {
    std::lock_guard lock(mutex_);
    slots_.erase(index);
    ++consumed_;
    spaceFree_.notify_all();
  }

  const int32_t count_;
  const PoolSize size_;
  const std::atomic<bool>* stop_;
  const PictureWorkFunction& work_;

  std::mutex mutex_;
  std::condition_variable spaceFree_;   // workers wait for room to begin a picture
  std::condition_variable eventReady_;  // the consumer waits for events
  std::map<int32_t, Slot> slots_;
  int32_t claimed_ = 0;
  int32_t consumed_ = 0;
  bool claimsEnded_ = false;
};

}  // namespace

PoolSize PoolSizeFor(int32_t jobs, int32_t pictureCount) {
  int32_t workers = jobs > 0 ? jobs : static_cast<int32_t>(std::thread::hardware_concurrency());
  workers = std::clamp(workers, 1, std::max(pictureCount, 1));
  // Room for each worker's picture plus as many finished ones waiting, so a
  // slow picture at the head does not idle the others at once.
  return {workers, workers == 1 ? 1 : 2 * workers};
}

int32_t RunPictures(int32_t count, PoolSize size, const std::atomic<bool>* stop, const PictureWorkFunction& work,
                    OrderedConsumer& consumer) {
  if (size.Workers <= 1) return Sequential(count, stop, work, consumer);
  return Pool(count, size, stop, work).Run(consumer);
}

}  // namespace generator
