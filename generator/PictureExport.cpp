#include "generator/PictureExport.h"

#include <vector>

#include "generator/ExtraSizes.h"
#include "generator/NewNames.h"
#include "generator/PictureCommit.h"
#include "generator/PicturePool.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace generator {

namespace {

// Only the folders of kinds the run makes: a template set without the extra
// sizes gets no folder for them.
void MakeOutputFolders(const std::string& target, const OutputDepends& depends) {
  platform::RemoveStaleTemporaryFiles(target);
  // A folder that cannot be made shows later as files that cannot be written.
  for (const OutputKindInfo& info : kOutputKinds) {
    if (!depends.Wanted(info.Kind)) continue;
    const std::string folder = target + info.Folder + platform::PathDelimiter;
    platform::ForceDirectories(folder);
    platform::RemoveStaleTemporaryFiles(folder);
  }
}

// The workers read only these copies, never the entries the committer writes.
std::vector<std::string> SourcePaths(const album::AlbumPictures& pictures) {
  std::vector<std::string> paths;
  for (const album::AlbumPicture& picture : pictures) paths.push_back(picture.FileName);
  return paths;
}

// Pictures the record knows start with its entry, names and all; new ones
// with their source only.
void StartTables(const album::AlbumPictures& pictures, const ExportJob& job, ExportSummary& summary) {
  summary.Outputs.resize(pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    const PicturePlan& plan = job.Plan.Pictures[i];
    RecordedPicture made;
    if (plan.Recorded >= 0) made = job.Journal.Record().Pictures[static_cast<size_t>(plan.Recorded)];
    made.Source = pictures[i].FileName;
    made.SourceFacts = plan.SourceFacts;
    summary.Outputs[i][OutputKind::Page] = made.Outputs[static_cast<size_t>(OutputKind::Page)].Name;
    summary.Made.push_back(std::move(made));
  }
}

}  // namespace

ExportSummary ExportPictures(const album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                             const TemplateFragments& fragments, const ExportTarget& target, ExportReporting reporting,
                             const ExportJob& job, int32_t jobs) {
  MakeOutputFolders(target.Folder, job.Depends);
  const ExtraSizesWanted extras{job.Depends.Wanted(OutputKind::Thumbnail2x), job.Depends.Wanted(OutputKind::Screen)};
  ExportSummary summary;
  StartTables(pictures, job, summary);
  NewNames names(job.Update ? job.Journal.Record() : BuildRecord{});
  const CommitTables tables{summary.Outputs, summary.Made, job.Journal, names};
  ReserveDetailPageNames(pictures, OutputPath(target.Folder, OutputKind::Page, ""), tables);
  PictureCommitter committer({pictures, settings, fragments, target, reporting, job.Plan, job.Depends, job.Update},
                             tables);
  const std::vector<std::string> paths = SourcePaths(pictures);
  const int32_t count = album::PictureCount(pictures);
  summary.Started = RunPictures(
      count, PoolSizeFor(jobs, count), reporting.StopRequested,
      [&](int32_t index, WorkSink& sink) {
        if (job.Plan.Pictures[static_cast<size_t>(index)].Work)
          WorkOnPicture(paths[static_cast<size_t>(index)], settings, sink, &extras);
      },
      committer);
  summary.Failed = committer.Failed();
  summary.PagesWritten = committer.PagesWritten();
  summary.PicturesWorked = committer.PicturesWorked();
  // A stop that comes when every picture is already in work still keeps the
  // overview from being written: the user asked for the run to end.
  summary.Stopped = summary.Started < count || (reporting.StopRequested && reporting.StopRequested->load());
  return summary;
}

}  // namespace generator
