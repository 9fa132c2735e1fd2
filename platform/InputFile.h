#pragma once
// A regular file read front to back through a small buffer, for readers that
// stop at the last field they need instead of taking in the whole file.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens the regular file at the 8-bit path; false when it cannot.
  bool Open(const std::string& ansiPath);
  // The file's size when it was opened.
  uint64_t Size() const { return size_; }
  // The next `count` bytes into `target`; false when fewer are left or reading fails.
  bool Read(char* target, size_t count);

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
  char buffer_[65536];
  size_t begin_ = 0, end_ = 0;
};

}  // namespace platform
