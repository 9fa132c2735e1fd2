#include "generator/PictureExport.h"

#include <vector>

#include "generator/OutputNames.h"
#include "generator/PictureCommit.h"
#include "generator/PicturePool.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace generator {

namespace {

OutputFolders MakeOutputFolders(const std::string& target, const ExtraSizesWanted& extras) {
  const auto sub = [&](const char* name) { return target + name + platform::PathDelimiter; };
  OutputFolders folders{sub("html"), sub("pics"), sub("mini"), "", ""};
  if (extras.Screen) folders.Screen = sub(kScreenFolder);
  if (extras.Thumbnail2x) folders.Mini2x = sub(kThumbnail2xFolder);
  platform::RemoveStaleTemporaryFiles(target);
  // A folder that cannot be made shows later as files that cannot be written.
  for (const std::string* folder : {&folders.Mini, &folders.Pics, &folders.Html, &folders.Screen, &folders.Mini2x}) {
    if (folder->empty()) continue;
    platform::ForceDirectories(*folder);
    platform::RemoveStaleTemporaryFiles(*folder);
  }
  return folders;
}

// The workers read only these copies, never the entries the committer writes.
std::vector<std::string> SourcePaths(const album::AlbumPictures& pictures) {
  std::vector<std::string> paths;
  for (const album::AlbumPicture& picture : pictures) paths.push_back(picture.FileName);
  return paths;
}

}  // namespace

ExportSummary ExportPictures(album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                             const TemplateFragments& fragments, const ExportTarget& target, ExportReporting reporting,
                             int32_t jobs, ExtraOutputs* extras) {
  const ExtraSizesWanted wanted = extras ? extras->Wanted : ExtraSizesWanted{};
  if (extras) extras->Pictures.assign(pictures.size(), PictureExtras{});
  const OutputFolders folders = MakeOutputFolders(target.Folder, wanted);
  FreeNames names;
  ReserveDetailPageNames(pictures, folders.Html, names);
  PictureCommitter committer(pictures, settings, fragments, target, reporting, folders, names, extras);
  const std::vector<std::string> paths = SourcePaths(pictures);
  const int32_t count = album::PictureCount(pictures);
  ExportSummary summary;
  summary.Started = RunPictures(
      count, PoolSizeFor(jobs, count), reporting.StopRequested,
      [&](int32_t index, WorkSink& sink) { WorkOnPicture(paths[static_cast<size_t>(index)], settings, sink, &wanted); },
      committer);
  summary.Failed = committer.Failed();
  // A stop that comes when every picture is already in work still keeps the
  // overview from being written: the user asked for the run to end.
  summary.Stopped = summary.Started < count || (reporting.StopRequested && reporting.StopRequested->load());
  return summary;
}

}  // namespace generator
