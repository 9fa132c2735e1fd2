#include "viewer/layout/ViewerLayout.h"

#include <algorithm>
#include <cmath>

namespace viewer {

PaintSize ZoomedSize(int32_t picW, int32_t picH, int32_t zoom) {
  // A zoom typed outside the range counts until the field loses the focus;
  // below zero it would ask for a negative size, so it shows nothing.
  if (picW <= 0 || picH <= 0 || zoom <= 0) return {};
  // The product first, then the division: 100 x 29 / 100 must give 29.
  double width = static_cast<double>(picW) * zoom / 100.0;
  double height = static_cast<double>(picH) * zoom / 100.0;
  const double longest = std::max(width, height);
  const double limit = static_cast<double>(kMaxPaintSide);
  if (longest > limit) {
    width = width * limit / longest;
    height = height * limit / longest;
  }
  return {static_cast<int32_t>(std::trunc(width)), static_cast<int32_t>(std::trunc(height))};
}

int32_t DragScrollPosition(int32_t current, int32_t pressed, int32_t now, int32_t range) {
  int64_t position = int64_t{current} + (int64_t{pressed} - now);
  if (position < 0) position = 0;
  if (position > int64_t{range} - 1) position = int64_t{range} - 1;
  return static_cast<int32_t>(position);
}

}  // namespace viewer
