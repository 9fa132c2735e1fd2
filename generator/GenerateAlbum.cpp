#include "generator/GenerateAlbum.h"

#include <algorithm>

#include "generator/ExtraSizes.h"
#include "generator/Fragments.h"
#include "generator/Pages.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace generator {

namespace {

// Album files and scripts may hold values below the settings' ranges (the
// window's spin boxes clamp what is typed); the grid and the thumbnail box
// need at least their minimum.
album::AlbumSettings WithMinimums(album::AlbumSettings settings) {
  settings.PicturesPerRow = std::max(settings.PicturesPerRow, album::kPicturesPerRowRange.Minimum);
  settings.ThumbWidth = std::max(settings.ThumbWidth, album::kThumbSideRange.Minimum);
  settings.ThumbHeight = std::max(settings.ThumbHeight, album::kThumbSideRange.Minimum);
  settings.Border = std::max(settings.Border, album::kBorderRange.Minimum);
  settings.DetailBorder = std::max(settings.DetailBorder, album::kBorderRange.Minimum);
  return settings;
}

// Folder part of the chosen path without its final delimiter, unless that
// delimiter is the whole folder (the root); the program's folder when empty.
std::string TargetFolderOf(const std::string& chosenPath) {
  std::string folder = platform::ExtractFilePath(chosenPath);
  if (folder.size() > 1 && platform::EndsWithDelimiter(folder)) folder.pop_back();
  return folder.empty() ? platform::ProgramFolder() : folder;
}

class NameRelease {
 public:
  explicit NameRelease(album::AlbumPictures& pictures) : pictures_(pictures) {}
  ~NameRelease() {
    for (album::AlbumPicture& p : pictures_) {
      p.ThumbnailName.reset();
      p.PictureName.reset();
      p.DetailPageName.reset();
    }
  }
  NameRelease(const NameRelease&) = delete;
  NameRelease& operator=(const NameRelease&) = delete;

 private:
  album::AlbumPictures& pictures_;
};

}  // namespace

GenerationResult GenerateAlbum(album::AlbumPictures& pictures, const GenerationRequest& request,
                               ExportReporting reporting) {
  NameRelease releaseNames(pictures);
  GenerationResult result;
  const std::optional<TemplateFragments> fragments =
      ReadTemplateFragments(request.TemplateSetFolder, reporting.Messages);
  if (!fragments) {
    result.Outcome = RunOutcome::MissingFragment;
    return result;
  }
  const std::optional<std::string> chosen = request.ChooseOverviewPath();
  if (!chosen) return result;

  const std::string folder = TargetFolderOf(*chosen);
  if (folder.empty() || !platform::ForceDirectories(folder)) {
    reporting.Messages.Error("Konnte das Verzeichnis nicht erstellen!");
    result.Outcome = RunOutcome::FolderNotCreatable;
    return result;
  }
  const album::AlbumSettings settings = WithMinimums(request.Settings);
  const ExportTarget target{platform::IncludeTrailingDelimiter(folder), platform::ExtractFileName(*chosen)};
  ExtraOutputs extras{ExtraSizesFor(*fragments), {}};
  const ExportSummary summary =
      ExportPictures(pictures, settings, *fragments, target, reporting, request.Jobs, &extras);
  result.FailedPictures = summary.Failed;
  result.PicturesMade = summary.Started - summary.Failed;
  if (summary.Stopped) {
    result.Outcome = RunOutcome::Stopped;
    return result;
  }

  result.OverviewPath = target.Folder + target.OverviewFileName;
  if (!platform::WriteFileAtomically(result.OverviewPath, OverviewPageText(*fragments, settings, pictures, &extras),
                                     platform::Durability::Regenerable)) {
    reporting.Messages.Error("HTML Datei erstellen: Konnte die Datei " + target.OverviewFileName +
                             " nicht erstellen!");
    result.Outcome = RunOutcome::OverviewNotCreatable;
    return result;
  }
  result.Outcome = RunOutcome::Completed;
  return result;
}

}  // namespace generator
