#pragma once
// Page texts from fragments; pure functions, written to disk by the callers.
#include <cstdint>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/Fragments.h"

namespace generator {
struct ExtraOutputs;
}

namespace generator {

// The detail page of picture `index`: "detail.htm" expanded with the detail
// table whose "%%LINKS%%" holds the link fragments for the picture's place
// in the album, followed by CR LF. With `extras`, the keys of the extra
// picture sizes are expanded too where the template set uses them.
std::string DetailPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                           const album::AlbumPictures& pictures, int32_t index, const std::string& overviewFileName,
                           const ExtraOutputs* extras = nullptr);

// The overview page: the thumbnail grid of `pictures`, `settings.PicturesPerRow`
// to a row (at least one), the last row filled up with empty cells. Every
// expanded fragment is followed by CR LF.
std::string OverviewPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                             const album::AlbumPictures& pictures, const ExtraOutputs* extras = nullptr);

}  // namespace generator
