#pragma once
// Colour management. A picture whose file names a colour space other than
// sRGB (an Adobe RGB camera picture, a phone's Display P3 photo) is converted
// to sRGB while it is decoded: copies and thumbnails are written without a
// profile, and browsers, the preview, the viewer and the printer path all
// take pixels as sRGB, so one conversion at the source keeps the colours
// everywhere. Pictures without a profile or with an sRGB one are left alone.
#include <cstddef>
#include <cstdint>

#include "imaging/RasterImage.h"

namespace imaging::colour {

// CIE xy chromaticities of a colour space's primaries and white point.
struct Primaries {
  double redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY;
};

enum class ToneCurve { Srgb, Gamma22, Gamma28, Linear };

// Converts a decoded image from its embedded ICC profile to sRGB: the pixels
// of a 24-bit image, the colour table of a grey or palette image. The image
// stays exactly as decoded when `profile` is null, describes sRGB, does not
// fit the image (a CMYK profile, say) or cannot be read.
void EmbeddedProfileToSrgb(RasterImage& image, const uint8_t* profile, size_t size);

// The same for a colour space given by its primaries and tone curve, as
// HEIF files describe it without a profile.
void ColourSpaceToSrgb(RasterImage& image, const Primaries& primaries, ToneCurve curve);

}  // namespace imaging::colour
