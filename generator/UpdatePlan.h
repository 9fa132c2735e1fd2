#pragma once
// What a run does with each picture. A fresh run makes everything under new
// names; an update keeps the names the record gives a picture that is still
// in the album, and works on it again only where its source, its settings or
// its files on disk differ from the record.
#include <cstdint>
#include <string>
#include <vector>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "generator/BuildRecord.h"
#include "generator/Fragments.h"

namespace generator {

// What each kind of output is made from besides its source. A changed text
// makes the outputs of that kind again; an empty one means the template set
// does not show that kind, so it is not made.
struct OutputDepends {
  std::array<std::string, kOutputKindCount> Of;

  const std::string& operator[](OutputKind kind) const { return Of[static_cast<size_t>(kind)]; }
  bool Wanted(OutputKind kind) const { return !(*this)[kind].empty(); }
};
OutputDepends DependsFor(const TemplateFragments& fragments, const album::AlbumSettings& settings);

struct PicturePlan {
  int32_t Recorded = -1;  // the picture's entry in the record; -1: new to the folder
  bool Work = true;       // decode and encode it
  FileFacts SourceFacts;  // as seen before the run
};

struct RunPlan {
  std::vector<PicturePlan> Pictures;  // in album order
  std::vector<int32_t> Removed;       // record entries no longer in the album
};

RunPlan PlanFreshRun(const album::AlbumPictures& pictures);

// `record` is trusted; facts of outputs whose bytes were found unchanged are
// brought up to date in it, so the next update need not read them again.
RunPlan PlanUpdate(const album::AlbumPictures& pictures, BuildRecord& record, const std::string& folder,
                   const OutputDepends& depends, const album::AlbumSettings& settings);

// Whether a run with `depends` makes an output of `kind` for a picture of
// width x height: a wanted kind, unless the picture is too small for it.
bool MakesOutput(OutputKind kind, int32_t width, int32_t height, const OutputDepends& depends,
                 const album::AlbumSettings& settings);

// The output's path below the target folder (ending with the delimiter).
std::string OutputPath(const std::string& folder, OutputKind kind, const std::string& name);

// True when the recorded output is on disk with the recorded bytes: by its
// facts alone, or where they differ by its size and hash.
bool OutputAsRecorded(const std::string& folder, OutputKind kind, RecordedOutput& output);

}  // namespace generator
