#pragma once
// The common start of viewing and printing an album entry: the entry must be
// the picture in the main window's preview. No Qt here.
#include <cstdint>
#include <functional>
#include <string>

#include "album/AlbumPicture.h"

namespace viewer {

// True when, after this call, the preview holds entry `index`. An index
// outside the list does nothing (false). When `previewFileName` differs from
// the entry's file name (byte for byte), `loadPreview` runs: the main
// window's load of that entry into the preview, which reports its own
// failure and updates `previewFileName` (a reference to the main window's
// field, read again afterwards). A picture already in the preview is not
// loaded again.
bool BringIntoPreview(const album::AlbumPictures& pictures, int32_t index, const std::string& previewFileName,
                      const std::function<void()>& loadPreview);

}  // namespace viewer
