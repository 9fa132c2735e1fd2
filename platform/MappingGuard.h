#pragma once
// Keeps a file mapping readable when another program cuts the file short
// while we read it. Reading a mapped page beyond the file's new end raises
// SIGBUS, which would end the process; the guard's handler puts zero pages
// in place of the lost ones and marks the mapping, so the reader finishes
// on zeros and then reports the file as damaged.
#include <cstddef>

namespace platform {

class MappingGuard {
 public:
  MappingGuard() = default;
  ~MappingGuard() { Release(); }
  MappingGuard(const MappingGuard&) = delete;
  MappingGuard& operator=(const MappingGuard&) = delete;

  // Watches [begin, begin + size). Without a free slot (more mappings at
  // once than any run has threads) the mapping stays unwatched.
  void Watch(const void* begin, size_t size);
  void Release();
  // True once a page of the mapping was lost and replaced by zeros.
  bool CutShort() const;

 private:
  int slot_ = -1;
};

}  // namespace platform
