#pragma once
// Reading one memory row of an image of any depth as blue, green, red bytes,
// for the routines that accept every depth the library can hold.
#include <cstdint>

#include "imaging/RasterImage.h"

namespace imaging {

// True for a record whose header, stride and pixel memory agree, so that
// rows can be read without leaving the pixel memory.
bool HasReadableRows(const RasterImage& image);

// Writes DibWidth * 3 bytes to `bgr`. 1-, 4- and 8-bit pixels go through the
// colour table, 16-bit pixels are 5-5-5, 32-bit pixels blue, green, red, spare.
void RowToBgr(const RasterImage& image, int32_t memoryRow, uint8_t* bgr);

}  // namespace imaging
