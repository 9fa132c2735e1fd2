#include "publish/PrintableText.h"

namespace publish {
namespace {

// The length of the well-formed UTF-8 sequence at `at` and its code point; 0 when malformed.
size_t DecodeUtf8(std::string_view text, size_t at, char32_t& code) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool invalid = overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
  return invalid ? 0 : length;
}

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, at, code);
    if (length == 0 || IsControl(code))
      printable += '?';
    else
      printable.append(text.substr(at, length));
    at += length == 0 ? 1 : length;
  }
  return printable;
}

}  // namespace publish
