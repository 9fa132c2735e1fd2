// OpenDib: reads the whole file, recognises its format by content and hands
// it to that format's decoder.
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/HeifBrands.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

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
constexpr uintmax_t kMaxFileBytes = uintmax_t{3} << 30;

// Null when the whole file is in `bytes`, otherwise the message.
const char* ReadPictureFile(const char* fileName, std::string& bytes) {
  if (!fileName) return codecs::kCannotOpen;
  // Only regular files: opening a pipe would wait forever, a device never ends.
  const std::filesystem::path path(platform::ToFileSystem(fileName));
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return codecs::kCannotOpen;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxFileBytes) return codecs::kTooLarge;
  try {
    return platform::ReadWholeFile(fileName, bytes) ? nullptr : codecs::kCannotOpen;
  } catch (const std::bad_alloc&) {
    return codecs::kOutOfMemory;
  }
}

}  // namespace

void OpenDib(RasterImage* out, const char* fileName, int32_t /*options*/, platform::ProgressReceiver* window) {
  codecs::ProgressMeter progress(window);
  progress.Report(0);
  std::string bytes;
  if (const char* refusal = ReadPictureFile(fileName, bytes)) {
    codecs::Fail(out, refusal);
  } else {
    const codecs::FileBytes file{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
    codecs::DecodePicture(file, out, progress);
    codecs::DarkColourFirst(*out);
  }
  progress.Report(100);
}
