#include "generator/Pages.h"

#include <algorithm>

#include "generator/ExtraKeys.h"
#include "generator/PageTables.h"
#include "generator/Placeholders.h"

namespace generator {

namespace {

std::string LinkBlock(const TemplateFragments& fragments, const PlaceholderTable& table, int32_t index, int32_t count) {
  std::string block;
  if (index > 0) block += ReplacePlaceholders(fragments[Fragment::DetailPrevLink], table);
  if (index + 1 < count) block += ReplacePlaceholders(fragments[Fragment::DetailNextLink], table);
  block += ReplacePlaceholders(fragments[Fragment::DetailOverviewLink], table);
  return block;
}

}  // namespace

std::string DetailPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                           const album::AlbumPictures& pictures, const RunOutputs& outputs, int32_t index,
                           const std::string& overviewFileName) {
  PlaceholderTable table = DetailLinkTable(settings, pictures, outputs, index, overviewFileName);
  table.Add("%%LINKS%%", LinkBlock(fragments, table, index, album::PictureCount(pictures)));
  if (UsesDetailExtraKeys(fragments)) AddDetailExtraKeys(table, outputs[static_cast<size_t>(index)]);
  return ReplacePlaceholders(fragments[Fragment::Detail], table) + "\r\n";
}

std::string OverviewPageText(const TemplateFragments& fragments, const album::AlbumSettings& settings,
                             const album::AlbumPictures& pictures, const RunOutputs& outputs) {
  const int32_t perRow = std::max(settings.PicturesPerRow, album::kPicturesPerRowRange.Minimum);
  PlaceholderTable table = OverviewTable(settings);
  const bool extraKeys = UsesOverviewExtraKeys(fragments);
  if (extraKeys) AddOverviewExtraKeys(table);
  std::string page;
  const auto expand = [&](Fragment f) { page += ReplacePlaceholders(fragments[f], table) + "\r\n"; };

  expand(Fragment::MainFirst);
  const int32_t count = album::PictureCount(pictures);
  for (int32_t n = 0; n < count; ++n) {
    if (n % perRow == 0) expand(Fragment::MainLoopFirstCol1);
    SetOverviewPicture(table, outputs[static_cast<size_t>(n)]);
    if (extraKeys) SetOverviewExtras(table, outputs[static_cast<size_t>(n)], settings);
    expand(Fragment::MainLoop);
    if ((n + 1) % perRow == 0) expand(Fragment::MainLoopFirstCol2);
  }
  for (int32_t n = count; n % perRow != 0; ++n) {
    expand(Fragment::MainLoopEmpty);
    if ((n + 1) % perRow == 0) expand(Fragment::MainLoopFirstCol2);
  }
  expand(Fragment::MainEnd);
  return page;
}

}  // namespace generator
