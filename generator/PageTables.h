#pragma once
// The two placeholder tables: the overview page's and the detail pages'.
#include <cstdint>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/Placeholders.h"
#include "generator/RunOutputs.h"

namespace generator {

// The maker's home page, linked from the powered-by paragraph.
inline constexpr const char* kMakerHomePage = "https://www.example.org/web-lumivista/";

// "<p><a href=\"...\">Powered by Vendrix Web Lumivista.</a>" (no closing </p>).
std::string PoweredByParagraph();

// Overview table, nine entries; the last two (the current picture's detail
// page and thumbnail) start empty and are set with SetOverviewPicture.
PlaceholderTable OverviewTable(const album::AlbumSettings& settings);
void SetOverviewPicture(PlaceholderTable& overview, const PictureOutputs& outputs);

// Detail table of picture `index`, entries 1 to 9 (for the link fragments).
PlaceholderTable DetailLinkTable(const album::AlbumSettings& settings, const album::AlbumPictures& pictures,
                                 const RunOutputs& outputs, int32_t index, const std::string& overviewFileName);

}  // namespace generator
