#pragma once
// Arithmetic of the picture viewer: the zoomed paint size and the drag
// scroll positions. No Qt.
#include <cstdint>

namespace viewer {

inline constexpr int32_t kMinZoom = 5;
inline constexpr int32_t kMaxZoom = 9000;
inline constexpr int32_t kZoomStep = 10;
inline constexpr int32_t kWheelStep = 20;

// The largest side a paint area can have (the toolkit's widget size limit).
inline constexpr int64_t kMaxPaintSide = (int64_t{1} << 24) - 1;

struct PaintSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The picture's size at `zoom` percent, truncated towards zero. A size
// beyond the paint area limit is scaled down as a whole, keeping the
// proportions, so the sizing always settles and the picture is drawn.
PaintSize ZoomedSize(int32_t picW, int32_t picH, int32_t zoom);

// The new scroll position along one axis while dragging: the content moves
// with the pointer (pressed - now), kept within 0 and range - 1, where range
// is the paint area's extent along that axis.
int32_t DragScrollPosition(int32_t current, int32_t pressed, int32_t now, int32_t range);

}  // namespace viewer
