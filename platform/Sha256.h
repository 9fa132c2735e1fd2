#pragma once
// SHA-256 digests as lower-case hex text, through OpenSSL's libcrypto.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string Sha256Hex(std::string_view bytes);
// The digest of a file's bytes, read in blocks; none when it cannot be read.
std::optional<std::string> FileSha256Hex(const std::string& path);

}  // namespace platform
