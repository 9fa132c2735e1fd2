#pragma once
// Writes, for every album picture, its full-size JPEG copy ("pics"), its
// detail page ("html"), its thumbnail ("mini") and the extra sizes the
// template set shows ("screen", "mini2x"), under free names or, when
// updating, under the names the build record gives them, and hands the
// names back for the overview page.
#include <atomic>
#include <cstdint>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/Fragments.h"
#include "generator/PictureWork.h"
#include "generator/RunJournal.h"
#include "generator/UpdatePlan.h"
#include "platform/Messages.h"
#include "platform/Progress.h"

namespace generator {

// Told when the export starts on a picture (number counted from 1).
class PictureObserver {
 public:
  virtual ~PictureObserver() = default;
  virtual void PictureStarted(int32_t number, int32_t count) = 0;
};

struct ExportTarget {
  std::string Folder;            // ends with the delimiter
  std::string OverviewFileName;  // bare file name of the overview page
};

struct ExportReporting {
  platform::Messages& Messages;
  platform::ProgressReceiver* Progress = nullptr;  // percentage of each file read or written
  PictureObserver* Observer = nullptr;
  // Set by the user interface to stop a run: pictures already in work are
  // finished, no further picture is started.
  const std::atomic<bool>* StopRequested = nullptr;
};

// One run's plan and its record, made before the export starts.
struct ExportJob {
  const RunPlan& Plan;
  const OutputDepends& Depends;
  RunJournal& Journal;
  bool Update = false;  // files the album owns are replaced only when their bytes differ
};

struct ExportSummary {
  int32_t Failed = 0;                 // pictures that did not get all their files
  int32_t Started = 0;                // pictures the export began on
  bool Stopped = false;               // StopRequested was set before the export ended
  int32_t PagesWritten = 0;           // detail pages whose file was written
  int32_t PicturesWorked = 0;         // pictures decoded and encoded with success
  RunOutputs Outputs;                 // the names the pages link to
  std::vector<RecordedPicture> Made;  // the record's entries, in album order
};

// Creates the folders of the kinds it makes, reserves every new detail page name,
// then exports the pictures in album order; those the plan leaves alone get
// only their page. A picture that fails is reported (or
// skipped silently where its depth cannot be promoted) and the export goes
// on, until StopRequested is set. `jobs` pictures are worked on at once (0:
// one per core); names, files, reports and their order do not depend on it,
// and every report is made on the calling thread.
ExportSummary ExportPictures(const album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                             const TemplateFragments& fragments, const ExportTarget& target, ExportReporting reporting,
                             const ExportJob& job, int32_t jobs = 0);

}  // namespace generator
