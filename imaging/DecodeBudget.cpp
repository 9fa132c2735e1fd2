#include "imaging/DecodeBudget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace imaging {

namespace {

thread_local DecodeAdmission* currentAdmission = nullptr;

uint64_t SoftLimit(int resource) {
  rlimit limit{};
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
  return limit.rlim_cur;
}

uint64_t UsableMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
  const uint64_t physical = pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : UINT64_MAX;
  return std::min({physical, SoftLimit(RLIMIT_AS), SoftLimit(RLIMIT_DATA)});
}

}  // namespace

uint64_t DecodeBudget::Held() const {
  std::lock_guard lock(mutex_);
  return held_;
}

void DecodeBudget::Acquire(uint64_t bytes, bool mayWait) {
  std::unique_lock lock(mutex_);
  if (mayWait) released_.wait(lock, [&] { return held_ == 0 || held_ + bytes <= bytes_; });
  held_ += bytes;
}

void DecodeBudget::Release(uint64_t bytes) {
  if (bytes == 0) return;
  {
    std::lock_guard lock(mutex_);
    held_ -= bytes;
  }
  released_.notify_all();
}

DecodeBudget& SharedDecodeBudget() {
  // The other half is for what the budget does not count: the encoded
  // copies, the libraries' working memory, thread stacks, the pixel pool.
  static DecodeBudget budget(UsableMemory() / 2);
  return budget;
}

DecodeAdmission::DecodeAdmission(DecodeBudget& budget) : budget_(budget) { currentAdmission = this; }

DecodeAdmission::~DecodeAdmission() {
  Release();
  if (currentAdmission == this) currentAdmission = nullptr;
}

void DecodeAdmission::Release() {
  budget_.Release(share_);
  share_ = 0;
}

void DecodeAdmission::Admit(uint64_t bytes) {
  budget_.Acquire(bytes, share_ == 0);
  share_ += bytes;
}

void AdmitDecodeMemory(uint64_t bytes) {
  if (currentAdmission && bytes > 0) currentAdmission->Admit(bytes);
}

}  // namespace imaging
