#pragma once
// Runs the per-picture work of an export on a pool of threads while one
// consumer on the calling thread receives every picture's events in picture
// order, so names, files, messages and progress come out exactly as in a
// sequential run, and a user interface sees every call on its own thread.
#include <atomic>
#include <cstdint>
#include <functional>

#include "generator/PictureWork.h"

namespace generator {

// Receives the pictures one after the other: Begin, the picture's events, End.
class OrderedConsumer : public WorkSink {
 public:
  virtual void Begin(int32_t index) = 0;
  virtual void End(int32_t index) = 0;
};

using PictureWorkFunction = std::function<void(int32_t index, WorkSink& sink)>;

struct PoolSize {
  int32_t Workers = 1;  // threads doing the work; 1 works on the calling thread
  // Pictures begun but not yet consumed, at most: each holds a decoded
  // picture while in work, then its encoded files until its turn.
  int32_t InFlight = 1;
};

// `jobs` workers, or one per core for 0, never more than there are pictures.
PoolSize PoolSizeFor(int32_t jobs, int32_t pictureCount);

// Works on pictures 0..count-1 until `stop` is set: no picture is begun
// after that, the ones begun are finished and consumed. Returns how many
// pictures were begun.
int32_t RunPictures(int32_t count, PoolSize size, const std::atomic<bool>* stop, const PictureWorkFunction& work,
                    OrderedConsumer& consumer);

}  // namespace generator
