#include "publish/UploadSource.h"

#include <algorithm>

namespace publish {

size_t UploadSource::Read(char* buffer, size_t capacity) {
  const size_t wanted = static_cast<size_t>(std::min<uint64_t>(capacity, size_ - read_));
  const size_t got = wanted == 0 ? 0 : std::fread(buffer, 1, wanted, file_);
  digest_.Add(std::string_view(buffer, got));
  read_ += got;
  return got;
}

bool UploadSource::Rewind() {
  read_ = 0;
  digest_.Hex();
  return std::fseek(file_, 0, SEEK_SET) == 0;
}

bool UploadSource::Matches(const std::string& sha256) { return read_ == size_ && digest_.Hex() == sha256; }

}  // namespace publish
