#include "generator/ExtraKeys.h"

#include <algorithm>
#include <array>

#include "generator/ExtraSizes.h"
#include "generator/ThumbnailSize.h"

namespace generator {

namespace {

constexpr std::array<Fragment, 6> kOverviewFragments = {Fragment::MainFirst,     Fragment::MainLoopFirstCol1,
                                                        Fragment::MainLoop,      Fragment::MainLoopFirstCol2,
                                                        Fragment::MainLoopEmpty, Fragment::MainEnd};
constexpr std::array<Fragment, 4> kDetailFragments = {Fragment::Detail, Fragment::DetailPrevLink,
                                                      Fragment::DetailNextLink, Fragment::DetailOverviewLink};

template <size_t N>
bool UsesAny(const TemplateFragments& fragments, const std::array<Fragment, N>& which,
             std::initializer_list<const char*> keys) {
  return std::any_of(which.begin(), which.end(), [&](Fragment f) {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const char* key) { return fragments[f].find(key) != std::string::npos; });
  });
}

void SetValue(PlaceholderTable& table, const char* key, std::string value) {
  const auto at = std::find(table.Keys.begin(), table.Keys.end(), key);
  table.Values[static_cast<size_t>(at - table.Keys.begin())] = std::move(value);
}

// "a 1x, b 2x" or "a 2048w, b 4000w": the candidates that exist, or the
// bare folder (as the plain picture keys give) when none does.
std::string Srcset(const std::vector<std::pair<std::string, std::string>>& candidates, const std::string& folder) {
  std::string set;
  for (const auto& [path, descriptor] : candidates) set += (set.empty() ? "" : ", ") + path + " " + descriptor;
  return set.empty() ? folder : set;
}

// The path of a picture's file of `kind` from a page `up` (".." or ".").
std::string ExtraKeyLink(const char* up, OutputKind kind, const std::string& name) {
  return std::string(up) + "/" + InfoOf(kind).Folder + "/" + name;
}

}  // namespace

bool OverviewUses(const TemplateFragments& fragments, std::initializer_list<const char*> keys) {
  return UsesAny(fragments, kOverviewFragments, keys);
}

bool DetailUses(const TemplateFragments& fragments, std::initializer_list<const char*> keys) {
  return UsesAny(fragments, kDetailFragments, keys);
}

bool UsesOverviewExtraKeys(const TemplateFragments& fragments) {
  return OverviewUses(fragments, {kMiniWidthKey, kMiniHeightKey, kMiniSrcsetKey});
}

bool UsesDetailExtraKeys(const TemplateFragments& fragments) {
  return DetailUses(fragments, {kScreenPicSrcKey, kScreenWidthKey, kScreenHeightKey, kScreenSrcsetKey});
}

void AddOverviewExtraKeys(PlaceholderTable& overview) {
  for (const char* key : {kMiniWidthKey, kMiniHeightKey, kMiniSrcsetKey}) overview.Add(key, "");
}

void SetOverviewExtras(PlaceholderTable& overview, const PictureOutputs& picture,
                       const album::AlbumSettings& settings) {
  const ThumbnailDimensions size =
      picture.Width > 0 ? ThumbnailSize(picture.Width, picture.Height, settings.ThumbWidth, settings.ThumbHeight)
                        : ThumbnailDimensions{settings.ThumbWidth, settings.ThumbHeight};
  SetValue(overview, kMiniWidthKey, std::to_string(size.Width));
  SetValue(overview, kMiniHeightKey, std::to_string(size.Height));
  std::vector<std::pair<std::string, std::string>> candidates;
  if (!picture[OutputKind::Thumbnail].empty()) {
    candidates.emplace_back(ExtraKeyLink(".", OutputKind::Thumbnail, picture[OutputKind::Thumbnail]), "1x");
    if (!picture[OutputKind::Thumbnail2x].empty())
      candidates.emplace_back(ExtraKeyLink(".", OutputKind::Thumbnail2x, picture[OutputKind::Thumbnail2x]), "2x");
  }
  SetValue(overview, kMiniSrcsetKey, Srcset(candidates, "./mini/"));
}

void AddDetailExtraKeys(PlaceholderTable& detail, const PictureOutputs& picture) {
  imaging::ScaledSize size{picture.Width, picture.Height};
  std::vector<std::pair<std::string, std::string>> candidates;
  if (!picture[OutputKind::Screen].empty()) {
    size = ScreenSize(picture.Width, picture.Height).value_or(size);
    candidates.emplace_back(ExtraKeyLink("..", OutputKind::Screen, picture[OutputKind::Screen]),
                            std::to_string(size.Width) + "w");
  }
  if (!picture[OutputKind::Copy].empty())
    candidates.emplace_back(ExtraKeyLink("..", OutputKind::Copy, picture[OutputKind::Copy]),
                            std::to_string(picture.Width) + "w");
  detail.Add(kScreenPicSrcKey, candidates.empty() ? "../pics/" : candidates.front().first);
  detail.Add(kScreenWidthKey, std::to_string(size.Width));
  detail.Add(kScreenHeightKey, std::to_string(size.Height));
  detail.Add(kScreenSrcsetKey, Srcset(candidates, "../pics/"));
}

}  // namespace generator
