#pragma once
// One whole album generation: what the generate button does once the
// template set is chosen. Reads the set's fragments, asks for the overview
// file, creates the target folder, exports every picture and writes the
// overview page and the build record. When the folder holds a record of an
// earlier build of that overview, the request may ask to update that album
// in place instead. Reports through `messages`; never throws.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/BuildRecord.h"
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
  RecordNotTrusted,      // an update was asked for, but the record is not trusted; nothing written
};

// What an update did, for the closing line.
struct UpdateCounts {
  int32_t PagesWritten = 0;  // detail pages and overview whose bytes changed
  int32_t PicturesMade = 0;  // pictures new to the album or made again
  int32_t Removed = 0;       // pictures that left the album, files removed
  int32_t Unchanged = 0;     // pictures not decoded
};

// "Aktualisiert: 1 Seite neu, 3 Bilder neu, 2 entfernt, 294 unver\xE4ndert" (Windows-1252).
std::string UpdateClosingLine(const UpdateCounts& counts);

struct GenerationResult {
  RunOutcome Outcome = RunOutcome::Cancelled;
  std::string OverviewPath;             // as built: target folder + file name
  int32_t FailedPictures = 0;           // pictures that did not get all three files
  int32_t PicturesMade = 0;             // pictures that got all three files
  std::optional<UpdateCounts> Updated;  // set when the run updated an album in place
};

// Shows the save dialog for the overview page; nothing when cancelled.
// Called only after all fragments were read.
using OverviewPathChooser = std::function<std::optional<std::string>()>;

// The answer to "this folder holds an earlier build of this overview".
enum class UpdateChoice { Update, NewBeside, Cancel };
// Asked after the overview file was chosen, only when its folder holds a
// record of it; `trust` says whether that record may be updated.
using UpdateQuestion = std::function<UpdateChoice(RecordTrust trust)>;

struct GenerationRequest {
  const album::AlbumSettings& Settings;  // Backlink decides "%%POWERED%%"
  std::string TemplateSetFolder;         // from TemplateSetFolder(), ends with the delimiter
  OverviewPathChooser ChooseOverviewPath;
  int32_t Jobs = 0;          // pictures worked on at once; 0: one per core
  UpdateQuestion AskUpdate;  // none: a new album beside the earlier one
};

// Runs one generation; only reads the album.
GenerationResult GenerateAlbum(const album::AlbumPictures& pictures, const GenerationRequest& request,
                               ExportReporting reporting);

// The address the browser shows the result page from.
inline std::string OverviewAddress(const std::string& overviewPath) { return "file://" + overviewPath; }

}  // namespace generator
