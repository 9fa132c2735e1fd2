#pragma once
// Rastola: the image read/write library. Plain functions with the argument
// orders the application relies on; every image they make is an Image.
#include <cstdint>

#include "imaging/Image.h"
#include "platform/Progress.h"

namespace imaging {

// Pictures larger than this are refused before any allocation.
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;
inline constexpr int64_t kMaxPixelBytes = int64_t{1} << 31;

// Format code of SaveDib for a baseline JPEG (quality 90, 4:2:0, standard tables).
inline constexpr int32_t kFormatJpeg = 7;

// Reads a picture file (8-bit path) into `out`, replacing what it held. On
// failure Pixels is nil and ErrorText holds a German message. Reports 0..100
// to `window` while it works.
void OpenDib(Image* out, const char* fileName, int32_t options, platform::ProgressReceiver* window);

// Writes the picture; format 7 is JPEG. Returns 1 on success, 0 on failure
// (the failed file is removed).
int32_t SaveDib(const RasterImage& image, const char* fileName, int32_t format, platform::ProgressReceiver* window);

// A blank image with zeroed pixels and the first colourCount entries of the
// source's colour table, replacing what `out` held. On failure Allocation is
// 0 and Pixels nil.
void newdib(Image* out, int32_t width, int32_t height, int32_t bitsPerPixel, const BITMAPINFO* colourSource,
            int32_t colourCount);

// Pixel access by (column, memory row). 24-bit values have red in the low byte.
uint32_t getpixel(const RasterImage& image, int32_t x, int32_t y);
void setpixel(const RasterImage& image, int32_t x, int32_t y, uint32_t value);

// A copy of a 24-bit image dithered to a fixed palette, drawable on a
// palette display; the XY form scales the whole picture to width x height.
void DIBHalftoneDIB(Image* out, const RasterImage& image);
void DIBHalftoneDIBXY(Image* out, const RasterImage& image, int32_t width, int32_t height);

// "description|masks|description|masks..." for the formats OpenDib reads.
const char* GetDIBOpenFilter();

}  // namespace imaging
