#include "generator/UpdatePlan.h"

#include <map>

#include "generator/ExtraSizes.h"
#include "platform/Paths.h"
#include "platform/Sha256.h"

namespace generator {

namespace {

// Names what the JPEG writer makes; raise it whenever its bytes change.
constexpr const char* kEncoderVersion = "jpeg-q90-420-1";

// Unchanged when its source has the recorded facts and every picture file
// today's settings make of it was made with them and still holds its bytes.
// A file no longer made does not count: the run removes it. A picture whose
// size the record does not know is made again.
bool UnchangedPicture(const PicturePlan& plan, RecordedPicture& recorded, const std::string& folder,
                      const OutputDepends& depends, const album::AlbumSettings& settings) {
  if (plan.SourceFacts.Size == 0 || !(plan.SourceFacts == recorded.SourceFacts) || recorded.Width <= 0) return false;
  for (const OutputKindInfo& info : kOutputKinds) {
    RecordedOutput& out = recorded.Outputs[static_cast<size_t>(info.Kind)];
    if (!IsPictureFile(info.Kind) || !MakesOutput(info.Kind, recorded.Width, recorded.Height, depends, settings))
      continue;
    if (out.Name.empty() || out.Depends != depends[info.Kind] || !OutputAsRecorded(folder, info.Kind, out))
      return false;
  }
  return true;
}

}  // namespace

OutputDepends DependsFor(const TemplateFragments& fragments, const album::AlbumSettings& settings) {
  std::string pages;
  for (size_t i = 0; i < kFragmentCount; ++i) pages += fragments[static_cast<Fragment>(i)] + '\0';
  pages += settings.Caption + '\0' + settings.FreeText + '\0' + settings.DetailCaption + '\0';
  for (const int64_t n :
       {int64_t{settings.PicturesPerRow}, int64_t{settings.Border}, int64_t{settings.DetailBorder},
        int64_t{settings.BackgroundColour}, int64_t{settings.BackgroundColour2}, int64_t{settings.Backlink}})
    pages += std::to_string(n) + ',';
  OutputDepends depends;
  depends.Of[static_cast<size_t>(OutputKind::Page)] = "pages " + platform::Sha256Hex(pages);
  depends.Of[static_cast<size_t>(OutputKind::Copy)] = kEncoderVersion;
  depends.Of[static_cast<size_t>(OutputKind::Thumbnail)] = std::string(kEncoderVersion) + " box " +
                                                           std::to_string(settings.ThumbWidth) + "x" +
                                                           std::to_string(settings.ThumbHeight);
  const ExtraSizesWanted extras = ExtraSizesFor(fragments);
  if (extras.Screen)
    depends.Of[static_cast<size_t>(OutputKind::Screen)] =
        std::string(kEncoderVersion) + " area screen " + std::to_string(kScreenLongEdge) + "/" +
        std::to_string(kScreenLongEdgeEven) + " q" + std::to_string(kScreenQuality);
  // The twice-size thumbnail is scaled from the screen picture where there is one.
  if (extras.Thumbnail2x)
    depends.Of[static_cast<size_t>(OutputKind::Thumbnail2x)] =
        depends[OutputKind::Thumbnail] + (extras.Screen ? " area via screen" : " area");
  return depends;
}

bool MakesOutput(OutputKind kind, int32_t width, int32_t height, const OutputDepends& depends,
                 const album::AlbumSettings& settings) {
  if (!depends.Wanted(kind)) return false;
  if (kind == OutputKind::Screen) return ScreenSize(width, height).has_value();
  if (kind == OutputKind::Thumbnail2x) return Thumbnail2xSize(width, height, settings).has_value();
  return true;
}

RunPlan PlanFreshRun(const album::AlbumPictures& pictures) {
  RunPlan plan;
  for (const album::AlbumPicture& picture : pictures)
    plan.Pictures.push_back({-1, true, SourceFileFacts(picture.FileName).value_or(FileFacts{})});
  return plan;
}

RunPlan PlanUpdate(const album::AlbumPictures& pictures, BuildRecord& record, const std::string& folder,
                   const OutputDepends& depends, const album::AlbumSettings& settings) {
  RunPlan plan = PlanFreshRun(pictures);
  // A picture in the album twice takes the record's entries of that source in order.
  std::map<std::string, std::vector<int32_t>> bySource;
  for (int32_t i = static_cast<int32_t>(record.Pictures.size()) - 1; i >= 0; --i)
    bySource[record.Pictures[static_cast<size_t>(i)].Source].push_back(i);
  for (size_t n = 0; n < pictures.size(); ++n) {
    std::vector<int32_t>& entries = bySource[pictures[n].FileName];
    if (entries.empty()) continue;
    PicturePlan& p = plan.Pictures[n];
    p.Recorded = entries.back();
    entries.pop_back();
    RecordedPicture& recorded = record.Pictures[static_cast<size_t>(p.Recorded)];
    p.Work = !UnchangedPicture(p, recorded, folder, depends, settings);
  }
  for (const auto& [source, entries] : bySource)
    plan.Removed.insert(plan.Removed.end(), entries.begin(), entries.end());
  return plan;
}

std::string OutputPath(const std::string& folder, OutputKind kind, const std::string& name) {
  return folder + InfoOf(kind).Folder + platform::PathDelimiter + name;
}

bool OutputAsRecorded(const std::string& folder, OutputKind kind, RecordedOutput& output) {
  const std::string path = OutputPath(folder, kind, output.Name);
  const std::optional<FileFacts> facts = OwnFileFacts(path);
  if (!facts || facts->Size != output.Facts.Size) return false;
  if (*facts == output.Facts) return true;
  if (platform::FileSha256Hex(platform::ToFileSystem(path)) != output.Sha256) return false;
  output.Facts = *facts;
  return true;
}

}  // namespace generator
