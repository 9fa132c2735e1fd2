#pragma once
// Names the compression of a HEIF file's pictures for the message shown when
// this machine has no decoder for it.
#include <string>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

// The item type of the first coded picture in the file ("hvc1", "av01",
// "vvc1" ...): derived pictures (grids, overlays) and metadata are skipped.
// Empty when the file's boxes do not say.
std::string CodedItemType(FileBytes file);

// Fills `out` with the German message naming the compression.
void FailForMissingDecoder(FileBytes file, Image& out);

}  // namespace imaging::codecs
