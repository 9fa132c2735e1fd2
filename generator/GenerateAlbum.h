#pragma once
// One whole album generation: what the generate button does once the
// template set is chosen. Reads the set's fragments, asks for the overview
// file, creates the target folder, exports every picture and writes the
// overview page. Reports through `messages`; never throws.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/PictureExport.h"
#include "platform/Messages.h"
#include "platform/Progress.h"

namespace generator {

enum class RunOutcome {
  Completed,             // overview written (some pictures may have failed)
  Cancelled,             // the overview file was not chosen; nothing written
  MissingFragment,       // a fragment could not be read; nothing written
  FolderNotCreatable,    // "Konnte das Verzeichnis nicht erstellen!"; nothing written
  OverviewNotCreatable,  // pictures and detail pages written, overview not
  Stopped,               // stopped by the user: finished pictures written, overview not
};

struct GenerationResult {
  RunOutcome Outcome = RunOutcome::Cancelled;
  std::string OverviewPath;        // as built: target folder + file name
  int32_t FailedPictures = 0;      // pictures that did not get all three files
  int32_t PicturesMade = 0;        // pictures that got all three files
};

// Shows the save dialog for the overview page; nothing when cancelled.
// Called only after all fragments were read.
using OverviewPathChooser = std::function<std::optional<std::string>()>;

struct GenerationRequest {
  const album::AlbumSettings& Settings;  // Backlink decides "%%POWERED%%"
  std::string TemplateSetFolder;      // from TemplateSetFolder(), ends with the delimiter
  OverviewPathChooser ChooseOverviewPath;
  int32_t Jobs = 0;                   // pictures worked on at once; 0: one per core
};

// Runs one generation. The generated names in `pictures` are released when
// the run ends, however it ends.
GenerationResult GenerateAlbum(album::AlbumPictures& pictures, const GenerationRequest& request,
                               ExportReporting reporting);

// The address the browser shows the result page from.
inline std::string OverviewAddress(const std::string& overviewPath) { return "file://" + overviewPath; }

}  // namespace generator
