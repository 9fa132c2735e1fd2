#include "imaging/PixelPool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#endif

namespace imaging {
namespace {

struct Block {
  uint8_t* start;
  size_t capacity;
};

class PixelPool {
 public:
  uint8_t* Take(size_t bytes) {
    if (bytes < kSmallestPooledBlock) return static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (uint8_t* reused = TakeKept(bytes)) {
      std::memset(reused, 0, bytes);
      return reused;
    }
    // Fresh blocks from calloc come zeroed from the kernel at no extra cost.
    auto* fresh = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!fresh) {
      Drain();  // kept blocks may be what stands in the way
      fresh = static_cast<uint8_t*>(std::calloc(bytes, 1));
    }
    if (fresh) {
      const std::lock_guard lock(mutex_);
      live_[fresh] = bytes;
    }
    return fresh;
  }

  void Give(uint8_t* block) {
    if (!block) return;
    std::unique_lock lock(mutex_);
    const auto live = live_.find(block);
    if (live == live_.end()) {  // small, or not made here
      lock.unlock();
      std::free(block);
      return;
    }
    const Block given{block, live->second};
    live_.erase(live);
    if (given.capacity > kLargestPooledBlock) {
      lock.unlock();
      std::free(given.start);
      return;
    }
    ASAN_POISON_MEMORY_REGION(given.start, given.capacity);
    kept_.push_back(given);
    // The oldest block goes first: recent sizes are the likely next ones.
    uint8_t* evicted = nullptr;
    if (kept_.size() > MaxKept()) {
      evicted = kept_.front().start;
      ASAN_UNPOISON_MEMORY_REGION(evicted, kept_.front().capacity);
      kept_.pop_front();
    }
    lock.unlock();
    std::free(evicted);
  }

  // realloc keeps a large block's pages where they are (the kernel remaps
  // them), so the old and the new size are never both held.
  uint8_t* Grow(uint8_t* block, size_t bytes) {
    size_t capacity = 0;  // 0: a small block, not tracked
    {
      const std::lock_guard lock(mutex_);
      if (const auto live = live_.find(block); live != live_.end()) {
        capacity = live->second;
        live_.erase(live);
      }
    }
    auto* grown = static_cast<uint8_t*>(std::realloc(block, bytes));
    const std::lock_guard lock(mutex_);
    if (grown && bytes >= kSmallestPooledBlock) live_[grown] = bytes;
    if (!grown && capacity > 0) live_[block] = capacity;
    return grown;
  }

  PoolUsage Usage() {
    const std::lock_guard lock(mutex_);
    PoolUsage usage{kept_.size(), 0};
    for (const Block& b : kept_) usage.freeBytes += b.capacity;
    return usage;
  }

  void Drain() {
    std::deque<Block> dropped;
    {
      const std::lock_guard lock(mutex_);
      dropped.swap(kept_);
    }
    for (const Block& b : dropped) {
      ASAN_UNPOISON_MEMORY_REGION(b.start, b.capacity);
      std::free(b.start);
    }
  }

 private:
  static size_t MaxKept() {
    static const size_t cores = std::max(2u, std::thread::hardware_concurrency());
    return cores;
  }

  // The smallest kept block that fits without wasting more than half of it.
  uint8_t* TakeKept(size_t bytes) {
    const std::lock_guard lock(mutex_);
    auto best = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
      if (it->capacity >= bytes && it->capacity / 2 <= bytes && (best == kept_.end() || it->capacity < best->capacity))
        best = it;
    }
    if (best == kept_.end()) return nullptr;
    const Block chosen = *best;
    kept_.erase(best);
    live_[chosen.start] = chosen.capacity;
    ASAN_UNPOISON_MEMORY_REGION(chosen.start, chosen.capacity);
    return chosen.start;
  }

  std::mutex mutex_;
  std::deque<Block> kept_;
  std::unordered_map<uint8_t*, size_t> live_;  // pooled-size blocks in use
};

PixelPool& Pool() {
  static PixelPool* pool = new PixelPool;  // never destroyed: images may outlive static destruction
  return *pool;
}

}  // namespace

uint8_t* TakePixelBlock(size_t bytes) { return Pool().Take(bytes); }
void GivePixelBlock(uint8_t* block) { Pool().Give(block); }
uint8_t* GrowPixelBlock(uint8_t* block, size_t bytes) { return Pool().Grow(block, bytes); }
PoolUsage PixelPoolUsage() { return Pool().Usage(); }
void DrainPixelPool() { Pool().Drain(); }

}  // namespace imaging
