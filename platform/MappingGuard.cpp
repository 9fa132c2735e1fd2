#include "platform/MappingGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace platform {
namespace {

// The handler may run on any thread at any moment, so the watched ranges
// live in a fixed table of atomics: no locks, no allocation.
struct Slot {
  std::atomic<uintptr_t> begin{0};  // 0: free
  std::atomic<uintptr_t> end{0};
  std::atomic<bool> cutShort{false};
};

constexpr int kSlots = 256;
Slot slots[kSlots];
struct sigaction previousAction {};
std::once_flag installed;
uintptr_t pageSize = 4096;  // read before the handler is installed

bool ZeroFromFaultToEnd(uintptr_t fault, uintptr_t end) {
  const uintptr_t page = pageSize;
  const uintptr_t first = fault & ~(page - 1);
  const uintptr_t last = (end + page - 1) & ~(page - 1);
  return ::mmap(reinterpret_cast<void*>(first), last - first, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                0) != MAP_FAILED;
}

void PassOn(int signal, siginfo_t* info, void* context) {
  if ((previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_sigaction) {
    previousAction.sa_sigaction(signal, info, context);
  } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
    previousAction.sa_handler(signal);
  } else {
    // A fault that is not ours ends the process as it would have.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
  }
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  const uintptr_t fault = reinterpret_cast<uintptr_t>(info->si_addr);
  for (Slot& slot : slots) {
    const uintptr_t begin = slot.begin.load(std::memory_order_acquire);
    const uintptr_t end = slot.end.load(std::memory_order_acquire);
    if (begin == 0 || fault < begin || fault >= end) continue;
    if (ZeroFromFaultToEnd(fault, end)) {
      slot.cutShort.store(true, std::memory_order_release);
      return;  // the faulting read runs again and sees zeros
    }
  }
  PassOn(signal, info, context);
}

void InstallHandler() {
  // sysconf is not safe inside a signal handler.
  pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGBUS, &action, &previousAction);
}

}  // namespace

void MappingGuard::Watch(const void* begin, size_t size) {
  Release();
  if (!begin || size == 0) return;
  std::call_once(installed, InstallHandler);
  const uintptr_t first = reinterpret_cast<uintptr_t>(begin);
  for (int i = 0; i < kSlots; ++i) {
    uintptr_t expected = 0;
    // Claim the slot with a placeholder so no other thread takes it, then
    // publish the range.
    if (!slots[i].begin.compare_exchange_strong(expected, UINTPTR_MAX, std::memory_order_acq_rel)) continue;
    slots[i].cutShort.store(false, std::memory_order_relaxed);
    slots[i].end.store(first + size, std::memory_order_release);
    slots[i].begin.store(first, std::memory_order_release);
    slot_ = i;
    return;
  }
}

void MappingGuard::Release() {
  if (slot_ < 0) return;
  slots[slot_].end.store(0, std::memory_order_release);
  slots[slot_].begin.store(0, std::memory_order_release);
  slot_ = -1;
}

bool MappingGuard::CutShort() const { return slot_ >= 0 && slots[slot_].cutShort.load(std::memory_order_acquire); }

}  // namespace platform
