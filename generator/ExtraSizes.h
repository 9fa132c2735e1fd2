#pragma once
// The pictures a run makes beyond the copy and the thumbnail, and only when
// the template set shows them: a thumbnail of twice the size for screens of
// high pixel density ("mini2x") and a screen-size picture for the detail
// page ("screen"). Both are scaled by area average from the one decoded
// picture, on the worker that decoded it. They are the output kinds Screen
// and Thumbnail2x (RunOutputs.h).
#include <cstdint>
#include <optional>

#include "album/AlbumSettings.h"
#include "generator/Fragments.h"
#include "generator/PictureWork.h"
#include "generator/ThumbnailSize.h"
#include "imaging/AreaScale.h"

namespace generator {

// The longer side of a screen picture; pictures no larger get none, the
// page shows their full copy.
inline constexpr int32_t kScreenLongEdge = 2048;
// A whole fraction of the picture down to this long edge is taken instead
// (4000 x 3000 gives 2000 x 1500): an even 2 x 2 average costs a quarter less
// than an uneven one, for a picture that serves the same screens.
inline constexpr int32_t kScreenLongEdgeEven = 1600;
// Quality of the screen picture: see the README's Designs section.
inline constexpr int kScreenQuality = 80;

struct ExtraSizesWanted {
  bool Thumbnail2x = false;  // an overview fragment uses "%%MINISRCSET%%"
  bool Screen = false;       // a detail fragment uses "%%SCREENPICSRC%%" or "%%SCREENSRCSET%%"
  bool Any() const { return Thumbnail2x || Screen; }
};

ExtraSizesWanted ExtraSizesFor(const TemplateFragments& fragments);

// The twice-size thumbnail of a width x height picture, or none when the
// picture is smaller than that (it would only be enlarged).
std::optional<ThumbnailDimensions> Thumbnail2xSize(int32_t width, int32_t height, const album::AlbumSettings& settings);

// The screen picture's size, or none when the picture is no larger than
// kScreenLongEdge.
std::optional<imaging::ScaledSize> ScreenSize(int32_t width, int32_t height);

// Makes and encodes the wanted extra pictures of a 24-bit picture and hands
// them to `sink` as Screen and Thumbnail2x events (a picture too small for
// one gets no event for it).
void MakeExtraSizes(const imaging::RasterImage& picture, const album::AlbumSettings& settings,
                    const ExtraSizesWanted& wanted, platform::ProgressReceiver* progress, WorkSink& sink);

}  // namespace generator
