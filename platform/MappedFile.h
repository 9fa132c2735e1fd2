#pragma once
// A file's bytes mapped read-only into memory: the decoders see the whole
// file, but only the pages they touch are read, and nothing is copied. If
// another program cuts the file short meanwhile, the lost pages read as
// zeros and CutShort() tells the reader not to trust what it read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/MappingGuard.h"

namespace platform {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the regular file at the 8-bit path; false when it cannot be opened,
  // is no regular file or is larger than `maxBytes` (then TooLarge() is true).
  bool Open(const std::string& ansiPath, uint64_t maxBytes);

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  bool TooLarge() const { return tooLarge_; }
  bool CutShort() const { return guard_.CutShort(); }

 private:
  void Close();

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool tooLarge_ = false;
  MappingGuard guard_;
};

}  // namespace platform
