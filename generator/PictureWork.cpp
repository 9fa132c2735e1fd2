#include "generator/PictureWork.h"

#include "generator/ExtraSizes.h"
#include "generator/ThumbnailSize.h"
#include "imaging/DecodeBudget.h"
#include "imaging/DepthPromotion.h"
#include "imaging/Resample.h"
#include "imaging/codecs/JpegWriter.h"

namespace generator {

namespace {

class ProgressToSink : public platform::ProgressReceiver {
 public:
  explicit ProgressToSink(WorkSink& sink) : sink_(sink) {}
  void Progress(int percent) override {
    WorkEvent event;
    event.Percent = percent;
    sink_.Take(std::move(event));
  }

 private:
  WorkSink& sink_;
};

WorkEvent Event(WorkEvent::Kind what) {
  WorkEvent event;
  event.What = what;
  return event;
}

}  // namespace

EncodedJpeg EncodeInMemory(const imaging::RasterImage& image, platform::ProgressReceiver* receiver, int quality) {
  imaging::codecs::ProgressMeter progress(receiver);
  progress.Report(0);
  EncodedJpeg jpeg;
  unsigned char* bytes = nullptr;
  if (imaging::codecs::EncodeJpeg(image, progress, &bytes, &jpeg.Size, quality)) jpeg.Data.reset(bytes);
  progress.Report(100);
  return jpeg;
}

OpenOutcome OpenForExport(const std::string& path, platform::ProgressReceiver* progress, imaging::Image& image) {
  imaging::OpenDib(&image, path.c_str(), 0, progress);
  if (!image) return OpenOutcome::Unreadable;
  if (imaging::DibBitCount(*image) != 24) imaging::DepthUpTo24(image);
  if (imaging::DibBitCount(*image) != 24) {
    image.reset();
    return OpenOutcome::DepthNotPromoted;
  }
  return OpenOutcome::Opened;
}

imaging::Image MakeThumbnail(const imaging::RasterImage& picture, const album::AlbumSettings& settings) {
  const ThumbnailDimensions size =
      ThumbnailSize(imaging::DibWidth(picture), imaging::DibHeight(picture), settings.ThumbWidth, settings.ThumbHeight);
  return imaging::Resize(picture, size.Width, size.Height);
}

void WorkOnPicture(const std::string& path, const album::AlbumSettings& settings, WorkSink& sink,
                   const ExtraSizesWanted* extras) {
  // Pictures in work at once share one memory budget, so a run's peak does
  // not grow with its workers and a picture never fails for their number.
  imaging::DecodeAdmission admission(imaging::SharedDecodeBudget());
  ProgressToSink progress(sink);
  imaging::Image image;
  WorkEvent opened = Event(WorkEvent::Kind::Opened);
  opened.Outcome = OpenForExport(path, &progress, image);
  if (opened.Outcome == OpenOutcome::Unreadable) opened.Reason = image->ErrorText;
  if (opened.Outcome == OpenOutcome::Opened) {
    opened.Width = imaging::DibWidth(*image);
    opened.Height = imaging::DibHeight(*image);
  }
  const bool go = opened.Outcome == OpenOutcome::Opened;
  sink.Take(std::move(opened));
  if (!go) return;
  // Before the copy: the detail page, written with it, names the screen picture.
  if (extras && extras->Any()) MakeExtraSizes(*image, settings, *extras, &progress, sink);

  WorkEvent copy = Event(WorkEvent::Kind::Copy);
  copy.Jpeg = EncodeInMemory(*image, &progress, imaging::codecs::kDefaultJpegQuality);
  sink.Take(std::move(copy));

  imaging::Image thumbnail = MakeThumbnail(*image, settings);
  image.reset();  // the full picture is no longer needed
  admission.Release();
  WorkEvent small = Event(WorkEvent::Kind::Thumbnail);
  small.Made = static_cast<bool>(thumbnail);
  if (small.Made) small.Jpeg = EncodeInMemory(*thumbnail, &progress, imaging::codecs::kDefaultJpegQuality);
  sink.Take(std::move(small));
}

}  // namespace generator
