#pragma once
#include "imaging/Image.h"

namespace imaging {

// Turns a 1-, 4- or 8-bit image into a 24-bit one in place: the old image is
// freed and `image` holds the new one. Other depths, or no memory for the new
// image, leave it unchanged (the caller checks DibBitCount).
void DepthUpTo24(Image& image);

}  // namespace imaging
