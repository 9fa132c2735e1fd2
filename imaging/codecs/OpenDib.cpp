// OpenDib: maps the file, recognises its format by content and hands it to
// that format's decoder.
#include <cstring>

#include "imaging/codecs/Decoders.h"
#include "platform/MappedFile.h"
#include "imaging/codecs/HeifBrands.h"

namespace imaging {

namespace codecs {
namespace {

bool StartsWith(FileBytes file, size_t offset, const char* magic, size_t length) {
  return file.size >= offset + length && std::memcmp(file.data + offset, magic, length) == 0;
}

}  // namespace

FileFormat SniffFormat(FileBytes file) {
  if (StartsWith(file, 0, "\xFF\xD8\xFF", 3)) return FileFormat::Jpeg;
  if (StartsWith(file, 0, "\x89PNG\r\n\x1A\n", 8)) return FileFormat::Png;
  if (StartsWith(file, 0, "GIF87a", 6) || StartsWith(file, 0, "GIF89a", 6)) return FileFormat::Gif;
  if (StartsWith(file, 0, "II*\0", 4) || StartsWith(file, 0, "MM\0*", 4)) return FileFormat::Tiff;
  if (StartsWith(file, 0, "RIFF", 4) && StartsWith(file, 8, "WEBP", 4)) return FileFormat::WebP;
  if (IsHeifFamily(file)) return FileFormat::Heif;
  if (StartsWith(file, 0, "BM", 2)) return FileFormat::Bmp;
  return FileFormat::Unknown;
}

void DecodePicture(FileBytes file, RasterImage* out, ProgressMeter& progress) {
  switch (SniffFormat(file)) {
    case FileFormat::Jpeg: DecodeJpeg(file, out, progress); return;
    case FileFormat::Png: DecodePng(file, out, progress); return;
    case FileFormat::Gif: DecodeGif(file, out, progress); return;
    case FileFormat::Tiff: DecodeTiff(file, out, progress); return;
    case FileFormat::WebP: DecodeWebP(file, out, progress); return;
    case FileFormat::Bmp: DecodeBmp(file, out, progress); return;
    case FileFormat::Heif: DecodeHeif(file, out, progress); return;
    case FileFormat::Unknown: break;
  }
  Fail(out, file.size == 0 ? kCorrupt : kUnknownFormat);
}

}  // namespace codecs

namespace {

// No picture within the pixel caps needs a file larger than this.
constexpr uint64_t kMaxFileBytes = uint64_t{3} << 30;

}  // namespace

void OpenDib(RasterImage* out, const char* fileName, int32_t /*options*/, platform::ProgressReceiver* window) {
  codecs::ProgressMeter progress(window);
  progress.Report(0);
  platform::MappedFile file;
  if (!fileName || !file.Open(fileName, kMaxFileBytes)) {
    codecs::Fail(out, file.TooLarge() ? codecs::kTooLarge : codecs::kCannotOpen);
  } else {
    codecs::DecodePicture(codecs::FileBytes{file.data(), file.size()}, out, progress);
    if (file.CutShort()) {
      // Another program cut the file short while we read it: what was
      // decoded partly came from zeros.
      if (out->Info || out->Pixels) deldib(*out);
      codecs::Fail(out, codecs::kCorrupt);
    }
    codecs::DarkColourFirst(*out);
  }
  progress.Report(100);
}

}  // namespace imaging
