#pragma once
// HTML colour texts ("#RRGGBB") of the album's two background colours.
// Colours are 32-bit values with red in the low byte, green next, blue third;
// the high byte is not part of the colour text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace album {

// "#" and two upper-case hexadecimal digits each for red, green and blue.
std::string HtmlColourText(uint32_t colour);

// The colour named by a text: upper-cased, characters 2 to 7 read as red,
// green and blue; an empty text is black. None when those six characters
// are missing or not hexadecimal.
std::optional<uint32_t> ColourFromHtmlText(std::string_view text);

// A colour drop-down's value and its HTML colour text, kept in step.
class ColourChoice {
 public:
  explicit ColourChoice(uint32_t colour = 0) { SetColorValue(colour); }

  uint32_t ColorValue() const { return colour_; }
  const std::string& HTMLcolor() const { return text_; }

  void SetColorValue(uint32_t colour);
  // False when the text names no colour; the previous colour and text stay.
  bool SetHTMLcolor(std::string_view text);

 private:
  uint32_t colour_ = 0;
  std::string text_;
};

}  // namespace album
