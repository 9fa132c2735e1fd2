#pragma once
// The ICC profile an extended WebP file carries in its ICCP chunk.
#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// The profile's bytes inside `file`; size 0 when there is none.
FileBytes FindWebpProfile(FileBytes file);

}  // namespace imaging::codecs
