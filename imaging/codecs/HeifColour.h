#pragma once
// The colours of a decoded HEIF picture converted to sRGB: from its ICC
// profile, or from the nclx description (primaries and transfer curve)
// phones write for Display P3.
#include <libheif/heif.h>

#include "imaging/RasterImage.h"

namespace imaging::codecs {

void HeifColoursToSrgb(const heif_image_handle* handle, RasterImage& image);

}  // namespace imaging::codecs
