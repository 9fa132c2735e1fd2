// The row-by-row scalers for 24- and 8-bit pictures on displays: one source
// row is copied into a one-row buffer only when it differs from the previous
// output row's, and each output row is one SetDIBitsToDevice call.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/Rastola.h"
#include "imaging/StretchDrawDib.h"

namespace imaging {

namespace {

using drawing::DeviceContext;

// The output rows and columns inside the device's clip box, as half-open
// ranges of destination indices.
struct VisibleSpan {
  int32_t firstRow, endRow, firstColumn, endColumn;
  int32_t Width() const { return endColumn - firstColumn; }
  bool Empty() const { return endRow <= firstRow || endColumn <= firstColumn; }
};

int32_t ClampToRange(int64_t value, int32_t size) {
  return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(value, 0), size));
}

VisibleSpan VisiblePart(const DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight) {
  const drawing::DeviceRect clip = dc.ClipBox();
  return VisibleSpan{ClampToRange(int64_t{clip.top} - y, destHeight),
                     ClampToRange(int64_t{clip.bottom} - y, destHeight),
                     ClampToRange(int64_t{clip.left} - x, destWidth), ClampToRange(int64_t{clip.right} - x, destWidth)};
}

// Byte offset within a source row of each visible output column, computed
// once per call; only columns first..last fall inside the picture.
struct ColumnTable {
  std::vector<int64_t> offsets;
  int32_t first = 0;
  int32_t last = -1;
};

struct RowScaler {
  int32_t bytesPerPixel;
  const RasterImage& image;
  int32_t x, y, destWidth, destHeight, srcX, srcTop, srcWidth, srcHeight;

  ColumnTable Columns(const VisibleSpan& visible) const {
    ColumnTable table;
    table.offsets.resize(static_cast<size_t>(visible.Width()));
    table.first = visible.Width();
    for (int32_t i = 0; i < visible.Width(); ++i) {
      const int64_t column = int64_t{srcWidth} * (visible.firstColumn + i) / destWidth + srcX;
      table.offsets[i] = column * bytesPerPixel;
      if (column < 0 || column >= DibWidth(image)) continue;
      table.first = std::min(table.first, i);
      table.last = i;
    }
    return table;
  }

  void Draw(DeviceContext& dc, const RasterImage& rowBuffer, const VisibleSpan& visible) const {
    const ColumnTable columns = Columns(visible);
    const int32_t height = DibHeight(image);
    const int64_t maxOffset = int64_t{height - 1} * image.Stride;
    int64_t previous = -1;
    for (int32_t row = visible.firstRow; row < visible.endRow; ++row) {
      const int64_t sourceRow = int64_t{srcHeight} * row / destHeight + srcTop;
      const int64_t rowOffset = (height - 1 - sourceRow) * image.Stride;
      if (rowOffset < 0 || rowOffset > maxOffset) {
        // Outside the picture: a black row (colour index 0).
        std::memset(rowBuffer.Pixels, 0, static_cast<size_t>(rowBuffer.Stride));
        previous = -1;
      } else if (rowOffset != previous) {
        const uint8_t* source = image.Pixels + rowOffset;
        for (int32_t i = columns.first; i <= columns.last; ++i) {
          std::memcpy(rowBuffer.Pixels + int64_t{i} * bytesPerPixel, source + columns.offsets[i], bytesPerPixel);
        }
        previous = rowOffset;
      }
      dc.SetDIBitsToDevice(x + visible.firstColumn, y + row, visible.Width(), 1, 0, 0, 0, 1, rowBuffer.Pixels,
                           rowBuffer.Info, drawing::DIB_RGB_COLORS);
    }
  }
};

void DrawRows(DeviceContext& dc, const RowScaler& scaler) {
  if (!scaler.image.Pixels || scaler.destWidth < 1 || scaler.destHeight < 1) return;
  const VisibleSpan visible = VisiblePart(dc, scaler.x, scaler.y, scaler.destWidth, scaler.destHeight);
  if (visible.Empty()) return;
  Image rowBuffer;
  if (scaler.bytesPerPixel == 3) {
    newdib(&rowBuffer, visible.Width(), 1, 24, nullptr, 0);
  } else {
    // The buffer carries all 256 colours of the picture.
    newdib(&rowBuffer, visible.Width(), 1, 8, scaler.image.Info, 256);
  }
  // Without the buffer nothing is drawn.
  if (!rowBuffer->Pixels) return;
  scaler.Draw(dc, *rowBuffer, visible);
}

}  // namespace

void DrawDibRows24(DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                   const RasterImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight) {
  DrawRows(dc, RowScaler{3, image, x, y, destWidth, destHeight, srcX, srcTop, srcWidth, srcHeight});
}

void DrawDibRows8(DeviceContext& dc, int32_t x, int32_t y, int32_t destWidth, int32_t destHeight,
                  const RasterImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight) {
  DrawRows(dc, RowScaler{1, image, x, y, destWidth, destHeight, srcX, srcTop, srcWidth, srcHeight});
}

}  // namespace imaging
