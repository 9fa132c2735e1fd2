#pragma once
// SHA-256 digests as lower-case hex text, through OpenSSL's libcrypto.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string Sha256Hex(std::string_view bytes);

// A digest over bytes handed in piece by piece.
class Sha256Stream {
 public:
  Sha256Stream();
  ~Sha256Stream();
  Sha256Stream(const Sha256Stream&) = delete;
  Sha256Stream& operator=(const Sha256Stream&) = delete;
  void Add(std::string_view bytes);
  // The digest of everything added; the stream starts over afterwards.
  std::string Hex();

 private:
  struct Context;
  std::unique_ptr<Context> context_;
};
// The digest of a file's bytes, read in blocks; none when it cannot be read.
std::optional<std::string> FileSha256Hex(const std::string& path);

}  // namespace platform
