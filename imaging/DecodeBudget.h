#pragma once
// Pictures decoded at the same time share one memory budget. A decode asks
// for its pixel memory before it takes it: the first request of a picture
// waits until it fits beside what the others hold (or nobody holds any, so
// one picture alone always may run); later requests of the same picture add
// to its share without waiting, so a picture that holds memory never waits
// for another. The share is given back when the picture's admission ends.
// Threads without an admission (the preview, the viewer) never wait.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace imaging {

class DecodeBudget {
 public:
  explicit DecodeBudget(uint64_t bytes) : bytes_(bytes) {}
  uint64_t Bytes() const { return bytes_; }
  uint64_t Held() const;

 private:
  friend class DecodeAdmission;
  void Acquire(uint64_t bytes, bool mayWait);
  void Release(uint64_t bytes);

  const uint64_t bytes_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  uint64_t held_ = 0;
};

// Half of what this process may use (physical memory, or less when an
// address-space or data limit is set), shared by every run of the process.
DecodeBudget& SharedDecodeBudget();

// The decodes of this thread, while it lives, draw on `budget`. Not nested.
class DecodeAdmission {
 public:
  explicit DecodeAdmission(DecodeBudget& budget);
  ~DecodeAdmission();
  DecodeAdmission(const DecodeAdmission&) = delete;
  DecodeAdmission& operator=(const DecodeAdmission&) = delete;

  // Gives the share back early, once the picture's large images are freed.
  void Release();

 private:
  friend void AdmitDecodeMemory(uint64_t bytes);
  void Admit(uint64_t bytes);

  DecodeBudget& budget_;
  uint64_t share_ = 0;
};

// Called before pixel memory of `bytes` is taken for a picture (newdib does
// it; decoders whose library allocates first, such as libheif, do it for
// that memory too).
void AdmitDecodeMemory(uint64_t bytes);

}  // namespace imaging
