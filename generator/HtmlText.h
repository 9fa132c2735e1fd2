#pragma once
#include <string>
#include <string_view>

namespace generator {

// User text (caption, free text, comment) as page text: the seven German
// letters of Windows-1252 become named entities; everything else, markup
// included, passes unchanged so users can type HTML into their texts.
std::string TextToHtml(std::string_view text);

}  // namespace generator
