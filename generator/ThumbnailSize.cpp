#include "generator/ThumbnailSize.h"

#include <algorithm>

namespace generator {

ThumbnailDimensions ThumbnailSize(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight) {
  if (width < 1 || height < 1) return {0, 0};
  int64_t w = boxWidth;
  int64_t h = w * height / width;
  if (h > boxHeight) {
    h = boxHeight;
    w = h * width / height;
  }
  return {static_cast<int32_t>(std::max<int64_t>(w, 1)), static_cast<int32_t>(std::max<int64_t>(h, 1))};
}

}  // namespace generator
