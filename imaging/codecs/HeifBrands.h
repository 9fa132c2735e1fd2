#pragma once
// The HEIF family (HEIC, AVIF and their kin) announces itself in the leading
// `ftyp` box: its major brand or one of its compatible brands.
#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// True when the file starts with an ftyp box naming a HEIF image brand,
// even when the rest of the file is missing.
bool IsHeifFamily(FileBytes file);

}  // namespace imaging::codecs
