#include "generator/PictureExport.h"

#include "generator/OutputNames.h"
#include "generator/Pages.h"
#include "generator/ThumbnailSize.h"
#include "imaging/DepthPromotion.h"
#include "imaging/Resample.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace {

struct OutputFolders {
  std::string Html, Pics, Mini;  // each ending with the delimiter
};

OutputFolders MakeOutputFolders(const std::string& target) {
  const auto sub = [&](const char* name) { return target + name + platform::PathDelimiter; };
  OutputFolders folders{sub("html"), sub("pics"), sub("mini")};
  // A folder that cannot be made shows later as files that cannot be written.
  platform::ForceDirectories(folders.Mini);
  platform::ForceDirectories(folders.Pics);
  platform::ForceDirectories(folders.Html);
  return folders;
}

// Every page links to its neighbours, so all page names exist before the
// first page is written; the empty files keep later names from taking them.
void ReserveDetailPageNames(AlbumPictures& pictures, const std::string& htmlFolder) {
  for (AlbumPicture& picture : pictures) {
    picture.DetailPageName.reset();
    const std::string name = FreeName(htmlFolder, NameBase(picture.FileName), ".htm");
    CreateEmptyFile(htmlFolder + name);
    picture.DetailPageName = name;
  }
}

std::string NotCreatedMessage(const char* kind, const std::string& fileName) {
  return std::string(kind) + " Datei erstellen: Konnte die Datei " + fileName + " nicht erstellen!";
}

// Writes a JPEG under a free name in `folder`. The name is only handed out
// when the file was written, so no page ever shows another picture's file.
bool SaveJpeg(const RasterImage& image, const std::string& folder, const std::string& base,
              const ExportReporting& reporting, std::optional<std::string>& storedName) {
  const std::string name = FreeName(folder, base, ".jpg");
  const std::string path = folder + name;
  if (SaveDib(image, path.c_str(), kFormatJpeg, reporting.Progress) != 1) {
    reporting.Messages.Error(NotCreatedMessage("JPEG", name));
    return false;
  }
  storedName = name;
  return true;
}

class PictureExporter {
 public:
  PictureExporter(AlbumPictures& pictures, const AlbumSettings& settings, const TemplateFragments& fragments,
                  const ExportTarget& target, const ExportReporting& reporting, OutputFolders folders)
      : pictures_(pictures), settings_(settings), fragments_(fragments), target_(target), reporting_(reporting),
        folders_(std::move(folders)) {}

  // True when the picture got its copy, its page and its thumbnail.
  bool Export(int32_t index) {
    AlbumPicture& picture = pictures_[static_cast<size_t>(index)];
    picture.PictureName.reset();
    picture.ThumbnailName.reset();
    DibGuard image;
    switch (OpenForExport(picture.FileName, reporting_.Progress, image)) {
      case OpenOutcome::Unreadable:
        reporting_.Messages.MessageBox(
            "Fehler: Folgende Datei konnte nicht ge\xF6" "ffnet werden: " + picture.FileName, "",
            platform::MessageIcon::Error);
        return false;
      case OpenOutcome::DepthNotPromoted:
        return false;
      case OpenOutcome::Opened:
        break;
    }
    const std::string base = NameBase(picture.FileName);
    bool complete = SaveJpeg(image.get(), folders_.Pics, base, reporting_, picture.PictureName);
    complete = WriteDetailPage(index) && complete;
    DibGuard thumbnail;
    MakeThumbnail(image.get(), settings_, thumbnail);
    if (!thumbnail.get().Pixels) return false;
    return SaveJpeg(thumbnail.get(), folders_.Mini, base, reporting_, picture.ThumbnailName) && complete;
  }

 private:
  bool WriteDetailPage(int32_t index) {
    const std::string& name = *pictures_[static_cast<size_t>(index)].DetailPageName;
    const std::string page = DetailPageText(fragments_, settings_, pictures_, index, target_.OverviewFileName);
    if (platform::WriteFileAtomically(folders_.Html + name, page, platform::Durability::Regenerable)) return true;
    reporting_.Messages.Error(NotCreatedMessage("HTML", name));
    return false;
  }

  AlbumPictures& pictures_;
  const AlbumSettings& settings_;
  const TemplateFragments& fragments_;
  const ExportTarget& target_;
  const ExportReporting& reporting_;
  OutputFolders folders_;
};

}  // namespace

OpenOutcome OpenForExport(const std::string& path, platform::ProgressReceiver* progress, DibGuard& image) {
  OpenDib(image.out(), path.c_str(), 0, progress);
  if (!image.get().Pixels) return OpenOutcome::Unreadable;
  if (DibBitCount(image.get()) != 24) DepthUpTo24(image.get());
  if (DibBitCount(image.get()) != 24) {
    image.reset();
    return OpenOutcome::DepthNotPromoted;
  }
  return OpenOutcome::Opened;
}

void MakeThumbnail(const RasterImage& picture, const AlbumSettings& settings, DibGuard& thumbnail) {
  const ThumbnailDimensions size =
      ThumbnailSize(DibWidth(picture), DibHeight(picture), settings.ThumbWidth, settings.ThumbHeight);
  Resize(picture, size.Width, size.Height, *thumbnail.out());
}

ExportSummary ExportPictures(AlbumPictures& pictures, const AlbumSettings& settings,
                             const TemplateFragments& fragments, const ExportTarget& target,
                             ExportReporting reporting) {
  OutputFolders folders = MakeOutputFolders(target.Folder);
  ReserveDetailPageNames(pictures, folders.Html);
  PictureExporter exporter(pictures, settings, fragments, target, reporting, std::move(folders));
  ExportSummary summary;
  const int32_t count = PictureCount(pictures);
  for (int32_t j = 0; j < count; ++j) {
    if (reporting.StopRequested && reporting.StopRequested->load()) {
      summary.Stopped = true;
      break;
    }
    if (reporting.Observer) reporting.Observer->PictureStarted(j + 1, count);
    ++summary.Started;
    if (!exporter.Export(j)) ++summary.Failed;
  }
  return summary;
}
