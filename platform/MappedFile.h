#pragma once
// A file's bytes mapped read-only into memory: the decoders see the whole
// file, but only the pages they touch are read, and nothing is copied. A
// file cut short by another program while it is mapped makes the reading
// thread fail with SIGBUS, the price every mapping reader pays.
#include <cstddef>
#include <cstdint>
#include <string>

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

 private:
  void Close();

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool tooLarge_ = false;
};

}  // namespace platform
