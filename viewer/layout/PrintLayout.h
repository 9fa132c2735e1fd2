#pragma once
// Page arithmetic of the print dialog and the print job: where a picture
// goes on a page, the preview's page rectangle and the coupling of the two
// percentages. Shared by the preview and the printer so both agree. No Qt.
#include <cstdint>

namespace viewer {

inline constexpr int32_t kMinPercent = 1;
inline constexpr int32_t kMaxPercent = 100;

// The choices of the print dialog.
struct PrintChoices {
  bool UseFullPage = true;      // "Seite voll nutzen"; otherwise "Benutzerdefiniert"
  bool KeepProportions = true;  // "Seitenverhältnis beibehalten"
  bool Centred = true;          // "Zentrierte Ausgabe"
  int32_t WidthPercent = 50;    // "Breite in %:"
  int32_t HeightPercent = 50;   // "Höhe in %:"
};

struct PageSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

struct PageRect {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

// Size and place of a picW x picH picture on a page of `page`, relative to
// the page's top left corner.
PageRect PlacePicture(PageSize page, int32_t picW, int32_t picH, const PrintChoices& choices);

// The page rectangle inside the preview box for a printable area `paper`:
// a landscape page fills the box's width, any other its height; centred.
PageRect PreviewPage(PageSize box, PageSize paper);

// A derived percentage brought into 1..100, truncated towards zero.
int32_t BoundedPercent(double derived);

// The height percentage that keeps the picture's proportions for a width
// percentage on `paper`, and the other way round. Bounded to 1..100.
int32_t DeriveHeightPercent(int32_t widthPercent, int32_t picW, int32_t picH, PageSize paper);
int32_t DeriveWidthPercent(int32_t heightPercent, int32_t picW, int32_t picH, PageSize paper);

// Round to nearest with halves to the even neighbour, into 32 bits.
int32_t RoundHalfEven(double value);

}  // namespace viewer
