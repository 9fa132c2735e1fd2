#pragma once
// The album's layout settings: the values of the generation page's controls.
// Colours are 32-bit values with red in the low byte, green next, blue third.
#include <cstdint>
#include <string>

namespace album {

struct SpinRange {
  int32_t Minimum;
  int32_t Maximum;
  // A stored or typed value outside the range goes to the nearest bound.
  int32_t Clamp(int64_t value) const {
    return static_cast<int32_t>(value < Minimum ? Minimum : value > Maximum ? Maximum : value);
  }
};

inline constexpr SpinRange kPicturesPerRowRange{1, 50};  // AnzEd
inline constexpr SpinRange kBorderRange{0, 10};          // BorderEd, Border2ED
inline constexpr SpinRange kThumbSideRange{1, 1000};     // BreitEd, HochEd

inline constexpr uint32_t kSilver = 0xC0C0C0;
inline constexpr uint32_t kWhite = 0xFFFFFF;

struct AlbumSettings {
  std::string Caption = "Web Lumivista";  // CaptionED
  std::string FreeText =
      "Klicken Sie auf die Bilder, um sie in Originalgr\xF6\xDF"
      "e zu sehen.";                            // FreeText
  int32_t PicturesPerRow = 5;                   // AnzEd
  int32_t Border = 3;                           // BorderEd
  int32_t ThumbWidth = 90;                      // BreitEd
  int32_t ThumbHeight = 90;                     // HochEd
  uint32_t BackgroundColour = kSilver;          // BKColorBox
  uint32_t BackgroundColour2 = kWhite;          // BKColorBox2
  bool Backlink = true;                         // backlink, not stored
  std::string DetailCaption = "Web Lumivista";  // Caption2ED
  int32_t DetailBorder = 3;                     // Border2ED

  bool operator==(const AlbumSettings&) const = default;
};

// Brings each whole-number setting into its spin edit's range, as the spin
// edits do with a value stored in an album file.
inline void BringIntoRange(AlbumSettings& settings) {
  settings.ThumbWidth = kThumbSideRange.Clamp(settings.ThumbWidth);
  settings.ThumbHeight = kThumbSideRange.Clamp(settings.ThumbHeight);
  settings.PicturesPerRow = kPicturesPerRowRange.Clamp(settings.PicturesPerRow);
  settings.Border = kBorderRange.Clamp(settings.Border);
  settings.DetailBorder = kBorderRange.Clamp(settings.DetailBorder);
}

}  // namespace album
