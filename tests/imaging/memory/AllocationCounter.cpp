#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<int64_t> live{0}, peak{0}, start{0};

void Added(void* block) {
  if (!block) return;
  const int64_t now = live += int64_t(malloc_usable_size(block));
  int64_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
}

void Removing(void* block) {
  if (block) live -= int64_t(malloc_usable_size(block));
}

}  // namespace

namespace allocations {

void StartMeasuring() {
  start = live.load();
  peak = start.load();
}

int64_t PeakSinceStart() { return peak.load() - start.load(); }

}  // namespace allocations

extern "C" {

void* malloc(size_t size) {
  void* block = __libc_malloc(size);
  Added(block);
  return block;
}

void* calloc(size_t count, size_t size) {
  void* block = __libc_calloc(count, size);
  Added(block);
  return block;
}

void* realloc(void* block, size_t size) {
  const int64_t before = block ? int64_t(malloc_usable_size(block)) : 0;
  void* grown = __libc_realloc(block, size);
  // A failed realloc leaves the old block in place, still counted.
  if (grown || size == 0) live -= before;
  Added(grown);
  return grown;
}

void free(void* block) {
  Removing(block);
  __libc_free(block);
}

void* memalign(size_t alignment, size_t size) {
  void* block = __libc_memalign(alignment, size);
  Added(block);
  return block;
}

void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }

int posix_memalign(void** result, size_t alignment, size_t size) {
  *result = memalign(alignment, size);
  return *result ? 0 : 12;  // ENOMEM
}

}  // extern "C"
