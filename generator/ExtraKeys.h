#pragma once
// The placeholders of the extra picture sizes. They enter a page's table
// only when its template set uses one of them, so a set without them gets
// exactly the pages it always got, even from a caption that happens to hold
// one of these keys.
#include <cstdint>
#include <initializer_list>

#include "album/AlbumSettings.h"
#include "generator/Fragments.h"
#include "generator/Placeholders.h"
#include "generator/RunOutputs.h"

namespace generator {

// Overview: the current thumbnail's width and height in pixels, and a
// srcset of it with its twice-size version ("./mini/a.jpg 1x, ./mini2x/a.jpg 2x").
inline constexpr const char* kMiniWidthKey = "%%MINIWIDTH%%";
inline constexpr const char* kMiniHeightKey = "%%MINIHEIGHT%%";
inline constexpr const char* kMiniSrcsetKey = "%%MINISRCSET%%";
// Detail page: the screen-size picture, its width and height, and a srcset
// of it and the full copy with their widths ("../screen/a.jpg 2048w, ../pics/a.jpg 4000w").
inline constexpr const char* kScreenPicSrcKey = "%%SCREENPICSRC%%";
inline constexpr const char* kScreenWidthKey = "%%SCREENWIDTH%%";
inline constexpr const char* kScreenHeightKey = "%%SCREENHEIGHT%%";
inline constexpr const char* kScreenSrcsetKey = "%%SCREENSRCSET%%";

// Whether any overview (detail) fragment holds any of `keys`.
bool OverviewUses(const TemplateFragments& fragments, std::initializer_list<const char*> keys);
bool DetailUses(const TemplateFragments& fragments, std::initializer_list<const char*> keys);

bool UsesOverviewExtraKeys(const TemplateFragments& fragments);
bool UsesDetailExtraKeys(const TemplateFragments& fragments);

// Appends the three overview keys, empty until the first picture.
void AddOverviewExtraKeys(PlaceholderTable& overview);
// Sets them for `picture`; a picture without a thumbnail shows the box's size.
void SetOverviewExtras(PlaceholderTable& overview, const PictureOutputs& picture, const album::AlbumSettings& settings);

// Appends the four detail keys of `picture`.
void AddDetailExtraKeys(PlaceholderTable& detail, const PictureOutputs& picture);

}  // namespace generator
