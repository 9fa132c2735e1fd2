#pragma once
// The per-picture work of an export that needs no names and no messages:
// open, depth promotion, copy encoding, thumbnail, thumbnail encoding. It
// runs on any thread and hands its results, in the order a sequential run
// produces them, to a WorkSink as events.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "album/AlbumSettings.h"
#include "imaging/Rastola.h"
#include "platform/Progress.h"

namespace generator {

enum class OpenOutcome { Opened, Unreadable, DepthNotPromoted };

// A JPEG encoded in memory; Data is nil when encoding failed.
struct EncodedJpeg {
  struct MallocFree {
    void operator()(unsigned char* p) const { std::free(p); }
  };
  std::unique_ptr<unsigned char, MallocFree> Data;
  unsigned long Size = 0;
  std::string_view Bytes() const { return {reinterpret_cast<const char*>(Data.get()), Size}; }
};

struct WorkEvent {
  enum class Kind {
    Progress,     // Percent of the file being read or encoded
    Opened,       // Outcome, Width and Height; the last event unless Opened
    Screen,       // Made, Jpeg: the screen-size picture, when wanted (ExtraSizes.h)
    Thumbnail2x,  // Made, Jpeg: the twice-size thumbnail, when wanted
    Copy,         // Jpeg: the full-size copy
    Thumbnail,    // Made, Jpeg: the thumbnail; always the last event
  };
  Kind What = Kind::Progress;
  int Percent = 0;
  OpenOutcome Outcome = OpenOutcome::Opened;
  std::string Reason;  // why an Unreadable picture could not be opened (Windows-1252)
  int32_t Width = 0, Height = 0;
  bool Made = false;  // false when resampling gave no thumbnail
  EncodedJpeg Jpeg;
};

class WorkSink {
 public:
  virtual ~WorkSink() = default;
  virtual void Take(WorkEvent event) = 0;
};

struct ExtraSizesWanted;

void WorkOnPicture(const std::string& path, const album::AlbumSettings& settings, WorkSink& sink,
                   const ExtraSizesWanted* extras = nullptr);

// `image` as JPEG in memory, reporting 0 and 100 around the encoding as
// saving a file always does.
EncodedJpeg EncodeInMemory(const imaging::RasterImage& image, platform::ProgressReceiver* receiver, int quality);

// The decode step of one picture, independent of names and messages:
// opens `path` into `image` and promotes it to 24 bits.
OpenOutcome OpenForExport(const std::string& path, platform::ProgressReceiver* progress, imaging::Image& image);

// The thumbnail of a 24-bit picture for the settings' thumbnail box; empty
// when resampling gives no image.
imaging::Image MakeThumbnail(const imaging::RasterImage& picture, const album::AlbumSettings& settings);

}  // namespace generator
