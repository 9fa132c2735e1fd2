#pragma once
// The two ways the TIFF reader fills an image's rows, both a few rows at a
// time so that nothing but the image grows with the picture.
#include <tiffio.h>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// True for plain 8-bit RGB or grey in strips, stored top-down, with a common
// compression: those rows come straight from the codec, one at a time, so
// even a picture in one huge strip costs one row beside the image.
bool HasPlainRows(TIFF* tiff);
bool ReadPlainRows(TIFF* tiff, const RasterImage& image, ProgressMeter& progress);

// Every other kind through libtiff's RGBA interface, a few strips or tiles
// at a time. `rgba` has been begun on `tiff`.
bool ReadRgbaRows(TIFFRGBAImage& rgba, TIFF* tiff, const RasterImage& image, bool grey, ProgressMeter& progress);

}  // namespace imaging::codecs
