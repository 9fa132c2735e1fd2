#pragma once
// Writes, for every album picture, its full-size JPEG copy ("pics"), its
// detail page ("html") and its thumbnail ("mini") under free names, and
// leaves those names in the picture entries for the overview page.
#include <atomic>
#include <cstdint>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/ExtraSizes.h"
#include "generator/Fragments.h"
#include "generator/PictureWork.h"
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

struct ExportSummary {
  int32_t Failed = 0;    // pictures that did not get all their files
  int32_t Started = 0;   // pictures the export began on
  bool Stopped = false;  // StopRequested was set before the export ended
};

// Creates "mini", "pics" and "html", reserves every detail page name, then
// exports the pictures in album order. A picture that fails is reported (or
// skipped silently where its depth cannot be promoted) and the export goes
// on, until StopRequested is set. `jobs` pictures are worked on at once (0:
// one per core); names, files, reports and their order do not depend on it,
// and every report is made on the calling thread. With `extras`, the extra
// sizes it wants are made too and its per-picture entries filled in.
ExportSummary ExportPictures(album::AlbumPictures& pictures, const album::AlbumSettings& settings,
                             const TemplateFragments& fragments, const ExportTarget& target, ExportReporting reporting,
                             int32_t jobs = 0, ExtraOutputs* extras = nullptr);

}  // namespace generator
