#pragma once
// Page texts from fragments; pure functions, written to disk by the callers.
#include <cstdint>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/Fragments.h"
#include "generator/RunOutputs.h"

namespace generator {

// `outputs` holds the run's file names, one entry per picture. The keys of
// the extra picture sizes (ExtraKeys.h) are expanded only where the template
// set uses them.

// The detail page of picture `index`: "detail.htm" expanded with the detail
// table whose "%%LINKS%%" holds the link fragments for the picture's place
// in the album, followed by CR LF.
std::string DetailPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                           const album::AlbumPictures& pictures, const RunOutputs& outputs, int32_t index,
                           const std::string& overviewFileName);

// The overview page: the thumbnail grid of `pictures`, `settings.PicturesPerRow`
// to a row (at least one), the last row filled up with empty cells. Every
// expanded fragment is followed by CR LF.
std::string OverviewPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                             const album::AlbumPictures& pictures, const RunOutputs& outputs);

}  // namespace generator
