#include "platform/Sha256.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>

namespace platform {
namespace {

struct DigestContextFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextFree>;

DigestContext NewSha256Context() {
  DigestContext context(EVP_MD_CTX_new());
  if (context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) context.reset();
  return context;
}

std::string FinishHex(EVP_MD_CTX* context) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(context, digest, &length);
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
  DigestContext context = NewSha256Context();
  EVP_DigestUpdate(context.get(), bytes.data(), bytes.size());
  return FinishHex(context.get());
}

std::optional<std::string> FileSha256Hex(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  DigestContext context = NewSha256Context();
  if (!file || !context) return std::nullopt;
  char block[1 << 16];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) EVP_DigestUpdate(context.get(), block, got);
  if (std::ferror(file.get())) return std::nullopt;
  return FinishHex(context.get());
}

}  // namespace platform
