#include "generator/GenerateAlbum.h"

#include <unistd.h>

#include <algorithm>

#include "generator/Fragments.h"
#include "generator/Pages.h"
#include "generator/PictureCommit.h"
#include "generator/RecordLock.h"
#include "generator/RunJournal.h"
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

// The album on disk for this overview before the run: the trusted record,
// once what a killed run of it left is cleaned away; else an empty one.
RecordReading AlbumOnDisk(const std::string& folder, const std::string& overviewName) {
  CleanUnfinishedRuns(folder);
  RecordReading reading = ReadRecord(folder, overviewName);
  if (reading.Trust != RecordTrust::Trusted) reading.Record = NewRecord(folder, overviewName);
  if (reading.Record.Running) CleanUnfinishedRun(folder, reading.Record);
  return reading;
}

// A run that ends without its overview gives back the pages it reserved and
// never wrote; the files it did write stay listed in its journal, and the
// next run into the folder removes them.
void ReleaseEmptyReservations(const std::string& folder, const RunJournal& journal) {
  for (const CreatedFile& file : journal.Record().Created) {
    if (file.Kind != OutputKind::Page || file.Size != 0) continue;
    const std::string path = OutputPath(folder, file.Kind, file.Name);
    const std::optional<FileFacts> facts = OwnFileFacts(path);
    if (facts && facts->Size == 0) ::unlink(platform::ToFileSystem(path).c_str());
  }
}

// The files of a recorded picture that its new entry `kept` no longer names
// (all of them for a picture that left the album), where they still hold
// what the record says: a file someone else put under such a name is left
// alone.
void RemoveOutputsOf(const std::string& folder, RecordedPicture picture, const RecordedPicture& kept = {}) {
  for (const OutputKindInfo& info : kOutputKinds) {
    RecordedOutput& out = picture.Outputs[static_cast<size_t>(info.Kind)];
    if (!out.Name.empty() && out.Name != kept.Outputs[static_cast<size_t>(info.Kind)].Name &&
        OutputAsRecorded(folder, info.Kind, out))
      ::unlink(platform::ToFileSystem(OutputPath(folder, info.Kind, out.Name)).c_str());
  }
}

UpdateChoice AskAboutRecord(const GenerationRequest& request, const ExportTarget& target) {
  const RecordTrust trust = ReadRecord(target.Folder, target.OverviewFileName).Trust;
  if (trust == RecordTrust::Absent || !request.AskUpdate) return UpdateChoice::NewBeside;
  return request.AskUpdate(trust);
}

bool WriteOverview(const std::string& path, const std::string& text, bool update, int32_t& pagesWritten) {
  if (!update) return platform::WriteFileAtomically(path, text, platform::Durability::Regenerable);
  const OwnedWrite written = WriteOwnedFile(path, text);
  if (written == OwnedWrite::Written) ++pagesWritten;
  return written != OwnedWrite::Failed;
}

struct LockedRun {
  const album::AlbumPictures& Pictures;
  const TemplateFragments& Fragments;
  const album::AlbumSettings& Settings;
  const ExportTarget& Target;
  ExportReporting Reporting;
  int32_t Jobs;
  bool Update;
};

// The overview, the removals and the record, once every picture is done.
GenerationResult Conclude(const LockedRun& run, const RunPlan& plan, const BuildRecord& onDisk, RunJournal& journal,
                          ExportSummary& summary) {
  GenerationResult result;
  result.FailedPictures = summary.Failed;
  result.PicturesMade = summary.Started - summary.Failed;
  if (summary.Stopped) {
    result.Outcome = RunOutcome::Stopped;
    return result;
  }

  result.OverviewPath = run.Target.Folder + run.Target.OverviewFileName;
  int32_t pagesWritten = summary.PagesWritten;
  if (!WriteOverview(result.OverviewPath, OverviewPageText(run.Fragments, run.Settings, run.Pictures, summary.Outputs),
                     run.Update, pagesWritten)) {
    run.Reporting.Messages.Error("HTML Datei erstellen: Konnte die Datei " + run.Target.OverviewFileName +
                                 " nicht erstellen!");
    result.Outcome = RunOutcome::OverviewNotCreatable;
    return result;
  }
  for (const int32_t removed : plan.Removed)
    RemoveOutputsOf(run.Target.Folder, onDisk.Pictures[static_cast<size_t>(removed)]);
  for (size_t n = 0; n < plan.Pictures.size(); ++n)
    if (plan.Pictures[n].Recorded >= 0)
      RemoveOutputsOf(run.Target.Folder, onDisk.Pictures[static_cast<size_t>(plan.Pictures[n].Recorded)],
                      summary.Made[n]);
  journal.Finish(std::move(summary.Made));
  if (run.Update) {
    const auto unchanged =
        std::count_if(plan.Pictures.begin(), plan.Pictures.end(), [](const PicturePlan& p) { return !p.Work; });
    result.Updated = UpdateCounts{pagesWritten, summary.PicturesWorked, static_cast<int32_t>(plan.Removed.size()),
                                  static_cast<int32_t>(unchanged)};
  }
  result.Outcome = RunOutcome::Completed;
  return result;
}

GenerationResult RunLocked(const LockedRun& run) {
  RecordReading reading = AlbumOnDisk(run.Target.Folder, run.Target.OverviewFileName);
  if (run.Update && reading.Trust != RecordTrust::Trusted && reading.Trust != RecordTrust::Absent) {
    run.Reporting.Messages.Error(DistrustText(reading.Trust) +
                                 "; ihr wird nicht vertraut, nichts wurde aktualisiert. "
                                 "Ein neues Album kann daneben erstellt werden.");
    GenerationResult result;
    result.Outcome = RunOutcome::RecordNotTrusted;
    return result;
  }
  const OutputDepends depends = DependsFor(run.Fragments, run.Settings);
  const RunPlan plan = run.Update ? PlanUpdate(run.Pictures, reading.Record, run.Target.Folder, depends, run.Settings)
                                  : PlanFreshRun(run.Pictures);
  RunJournal journal(run.Target.Folder, reading.Record);
  ExportSummary summary = ExportPictures(run.Pictures, run.Settings, run.Fragments, run.Target, run.Reporting,
                                         {plan, depends, journal, run.Update}, run.Jobs);
  GenerationResult result = Conclude(run, plan, reading.Record, journal, summary);
  if (result.Outcome != RunOutcome::Completed) ReleaseEmptyReservations(run.Target.Folder, journal);
  return result;
}

}  // namespace

GenerationResult GenerateAlbum(const album::AlbumPictures& pictures, const GenerationRequest& request,
                               ExportReporting reporting) {
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
  const UpdateChoice choice = AskAboutRecord(request, target);
  if (choice == UpdateChoice::Cancel) return result;
  // One run per overview at a time; a second one waits here.
  const RecordLock lock(LockPath(target.Folder, target.OverviewFileName), RecordLock::Mode::Wait);
  return RunLocked({pictures, *fragments, settings, target, reporting, request.Jobs, choice == UpdateChoice::Update});
}

std::string UpdateClosingLine(const UpdateCounts& counts) {
  const auto n = [](int32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
  };
  return "Aktualisiert: " + n(counts.PagesWritten, "Seite", "Seiten") + " neu, " +
         n(counts.PicturesMade, "Bild", "Bilder") + " neu, " + std::to_string(counts.Removed) + " entfernt, " +
         std::to_string(counts.Unchanged) + " unver\xE4ndert";
}

}  // namespace generator
