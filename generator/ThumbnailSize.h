#pragma once
#include <cstdint>

namespace generator {

struct ThumbnailDimensions {
  int32_t Width;
  int32_t Height;
};

// Fits a width x height picture into the box keeping its proportions, the
// width first; smaller pictures are enlarged to the box. Products are formed
// in 64 bits (a tall picture must not overflow), and a side that would come
// out as 0 for a very long, thin picture becomes 1.
ThumbnailDimensions ThumbnailSize(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight);

}  // namespace generator
