#include "generator/ExtraSizes.h"

#include <algorithm>

#include "generator/ExtraKeys.h"
#include "imaging/Rastola.h"
#include "imaging/codecs/JpegWriter.h"

namespace generator {

namespace {

void Hand(WorkEvent::Kind what, const imaging::RasterImage& image, int quality, platform::ProgressReceiver* progress,
          WorkSink& sink) {
  WorkEvent event;
  event.What = what;
  event.Made = image.Pixels != nullptr;
  if (event.Made) event.Jpeg = EncodeInMemory(image, progress, quality);
  sink.Take(std::move(event));
}

}  // namespace

ExtraSizesWanted ExtraSizesFor(const TemplateFragments& fragments) {
  ExtraSizesWanted wanted;
  wanted.Thumbnail2x = OverviewUses(fragments, {kMiniSrcsetKey});
  wanted.Screen = DetailUses(fragments, {kScreenPicSrcKey, kScreenSrcsetKey});
  return wanted;
}

std::optional<ThumbnailDimensions> Thumbnail2xSize(int32_t width, int32_t height,
                                                   const album::AlbumSettings& settings) {
  const ThumbnailDimensions one = ThumbnailSize(width, height, settings.ThumbWidth, settings.ThumbHeight);
  const ThumbnailDimensions two{one.Width * 2, one.Height * 2};
  if (width < 1 || two.Width > width || two.Height > height) return std::nullopt;
  return two;
}

std::optional<imaging::ScaledSize> ScreenSize(int32_t width, int32_t height) {
  const int32_t longer = std::max(width, height);
  if (longer <= kScreenLongEdge) return std::nullopt;
  const int32_t factor = (longer + kScreenLongEdge - 1) / kScreenLongEdge;
  if (width % factor == 0 && height % factor == 0 && longer / factor >= kScreenLongEdgeEven)
    return imaging::ScaledSize{width / factor, height / factor};
  return imaging::FitLongEdge(width, height, kScreenLongEdge);
}

void MakeExtraSizes(const imaging::RasterImage& picture, const album::AlbumSettings& settings,
                    const ExtraSizesWanted& wanted, platform::ProgressReceiver* progress, WorkSink& sink) {
  const int32_t width = imaging::DibWidth(picture), height = imaging::DibHeight(picture);
  const std::optional<ThumbnailDimensions> small = Thumbnail2xSize(width, height, settings);
  const std::optional<imaging::ScaledSize> screenSize = ScreenSize(width, height);
  imaging::Image screen;
  if (wanted.Screen && screenSize) {
    screen = imaging::AreaScale(picture, screenSize->Width, screenSize->Height);
    Hand(WorkEvent::Kind::Screen, *screen, kScreenQuality, progress, sink);
  }
  if (!wanted.Thumbnail2x || !small) return;
  // A quarter of the pixels to read: the screen picture holds all the
  // detail a thumbnail can show.
  const bool fromScreen =
      screen && imaging::DibWidth(*screen) >= small->Width && imaging::DibHeight(*screen) >= small->Height;
  const imaging::Image thumbnail = imaging::AreaScale(fromScreen ? *screen : picture, small->Width, small->Height);
  Hand(WorkEvent::Kind::Thumbnail2x, *thumbnail, imaging::codecs::kDefaultJpegQuality, progress, sink);
}

}  // namespace generator
