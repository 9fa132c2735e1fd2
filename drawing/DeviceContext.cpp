#include "drawing/DeviceContext.h"

namespace drawing {

namespace {

// True-colour until the desktop program installs the screen's own answer.
constexpr int32_t kDefaultScreenDepth = 32;

ScreenDepthQuery& CurrentQuery() {
  static ScreenDepthQuery query;
  return query;
}

}  // namespace

HPALETTE DefaultPalette() {
  static LogicalPalette stock{};
  return &stock;
}

int32_t ScreenBitsPerPixel() {
  const ScreenDepthQuery& query = CurrentQuery();
  return query ? query() : kDefaultScreenDepth;
}

ScreenDepthQuery SetScreenBitsPerPixelQuery(ScreenDepthQuery query) {
  return std::exchange(CurrentQuery(), std::move(query));
}

}  // namespace drawing
