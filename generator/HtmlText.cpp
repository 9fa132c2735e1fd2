#include "generator/HtmlText.h"

namespace generator {

namespace {

const char* EntityFor(unsigned char byte) {
  switch (byte) {
    case 0xC4:
      return "&Auml;";
    case 0xD6:
      return "&Ouml;";
    case 0xDC:
      return "&Uuml;";
    case 0xDF:
      return "&szlig;";
    case 0xE4:
      return "&auml;";
    case 0xF6:
      return "&ouml;";
    case 0xFC:
      return "&uuml;";
    default:
      return nullptr;
  }
}

}  // namespace

std::string TextToHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (const char* entity = EntityFor(static_cast<unsigned char>(c)))
      out += entity;
    else
      out += c;
  }
  return out;
}

}  // namespace generator
