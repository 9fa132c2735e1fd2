#include "platform/Sha256.h"

#include <openssl/evp.h>

#include <cstdio>

namespace platform {

struct Sha256Stream::Context {
  EVP_MD_CTX* digest = EVP_MD_CTX_new();
  ~Context() { EVP_MD_CTX_free(digest); }
};

Sha256Stream::Sha256Stream() : context_(std::make_unique<Context>()) {
  EVP_DigestInit_ex(context_->digest, EVP_sha256(), nullptr);
}

Sha256Stream::~Sha256Stream() = default;

void Sha256Stream::Add(std::string_view bytes) { EVP_DigestUpdate(context_->digest, bytes.data(), bytes.size()); }

std::string Sha256Stream::Hex() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(context_->digest, digest, &length);
  EVP_DigestInit_ex(context_->digest, EVP_sha256(), nullptr);
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

std::string Sha256Hex(std::string_view bytes) {
  Sha256Stream stream;
  stream.Add(bytes);
  return stream.Hex();
}

std::optional<std::string> FileSha256Hex(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return std::nullopt;
  Sha256Stream stream;
  char block[1 << 16];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) stream.Add(std::string_view(block, got));
  if (std::ferror(file.get())) return std::nullopt;
  return stream.Hex();
}

}  // namespace platform
