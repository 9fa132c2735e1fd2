#include "album/ColourText.h"

namespace album {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two hexadecimal digits at `pos`, or -1.
int HexByteAt(std::string_view text, size_t pos) {
  const int high = HexDigitValue(text[pos]);
  const int low = HexDigitValue(text[pos + 1]);
  return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

}  // namespace

std::string HtmlColourText(uint32_t colour) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (const int shift : {0, 8, 16}) {
    const uint32_t part = (colour >> shift) & 0xFF;
    text += kDigits[part >> 4];
    text += kDigits[part & 0xF];
  }
  return text;
}

std::optional<uint32_t> ColourFromHtmlText(std::string_view text) {
  if (text.empty()) return 0u;
  if (text.size() < 7) return std::nullopt;
  const int red = HexByteAt(text, 1);
  const int green = HexByteAt(text, 3);
  const int blue = HexByteAt(text, 5);
  if (red < 0 || green < 0 || blue < 0) return std::nullopt;
  return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16;
}

void ColourChoice::SetColorValue(uint32_t colour) {
  colour_ = colour;
  text_ = HtmlColourText(colour);
}

bool ColourChoice::SetHTMLcolor(std::string_view text) {
  const std::optional<uint32_t> colour = ColourFromHtmlText(text);
  if (!colour) return false;
  SetColorValue(*colour);
  return true;
}

}  // namespace album
