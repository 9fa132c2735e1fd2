#pragma once
// The bytes of one upload: exactly the size announced to the server, never
// more, with the digest of what was actually handed over, so a file that
// changed after the scan is caught before it is renamed into place.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Sha256.h"

namespace publish {

class UploadSource {
 public:
  UploadSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  uint64_t Size() const { return size_; }
  // Up to `capacity` bytes into `buffer`; 0 at the announced end, or early
  // when the file was cut short (the transfer then fails).
  size_t Read(char* buffer, size_t capacity);
  // Back to the start, for a transfer tried again.
  bool Rewind();
  // True when all announced bytes were read and they hash to `sha256`. Bytes
  // a file gained after the scan are not sent; the next publish sends them.
  bool Matches(const std::string& sha256);

 private:
  std::FILE* file_;
  uint64_t size_;
  uint64_t read_ = 0;
  platform::Sha256Stream digest_;
};

}  // namespace publish
