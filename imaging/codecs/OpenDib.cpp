// OpenDib: maps the file, recognises its format by content and hands it to
// that format's decoder.
#include "imaging/codecs/CodecTable.h"
#include "imaging/codecs/Decoders.h"
#include "platform/MappedFile.h"

namespace imaging {

namespace codecs {

void DecodePicture(FileBytes file, Image& out, ProgressMeter& progress) {
  out.reset();  // a picture held before is not kept beside the new one
  if (const Codec* codec = FindCodec(file)) {
    codec->decode(file, out, progress);
    return;
  }
  Fail(out, file.size == 0 ? kCorrupt : kUnknownFormat);
}

}  // namespace codecs

namespace {

// No picture within the pixel caps needs a file larger than this.
constexpr uint64_t kMaxFileBytes = uint64_t{3} << 30;

}  // namespace

void OpenDib(Image* out, const char* fileName, int32_t /*options*/, platform::ProgressReceiver* window) {
  codecs::ProgressMeter progress(window);
  progress.Report(0);
  platform::MappedFile file;
  if (!fileName || !file.Open(fileName, kMaxFileBytes)) {
    codecs::Fail(*out, file.TooLarge() ? codecs::kTooLarge : codecs::kCannotOpen);
  } else {
    codecs::DecodePicture(codecs::FileBytes{file.data(), file.size()}, *out, progress);
    if (file.CutShort()) {
      // Another program cut the file short while we read it: what was
      // decoded partly came from zeros.
      codecs::Fail(*out, codecs::kCorrupt);
    }
    codecs::DarkColourFirst(**out);
  }
  progress.Report(100);
}

}  // namespace imaging
