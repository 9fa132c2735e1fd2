#include "imaging/codecs/CodecTable.h"

#include <cstring>

#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/HeifBrands.h"

namespace imaging::codecs {
namespace {

bool HasBytesAt(FileBytes file, size_t offset, const char* magic, size_t length) {
  return file.size >= offset + length && std::memcmp(file.data + offset, magic, length) == 0;
}

bool IsJpeg(FileBytes file) { return HasBytesAt(file, 0, "\xFF\xD8\xFF", 3); }
bool IsPng(FileBytes file) { return HasBytesAt(file, 0, "\x89PNG\r\n\x1A\n", 8); }
bool IsGif(FileBytes file) { return HasBytesAt(file, 0, "GIF87a", 6) || HasBytesAt(file, 0, "GIF89a", 6); }
bool IsBmp(FileBytes file) { return HasBytesAt(file, 0, "BM", 2); }
bool IsTiff(FileBytes file) { return HasBytesAt(file, 0, "II*\0", 4) || HasBytesAt(file, 0, "MM\0*", 4); }
bool IsWebP(FileBytes file) { return HasBytesAt(file, 0, "RIFF", 4) && HasBytesAt(file, 8, "WEBP", 4); }

constexpr const char* kJpegExtensions[] = {"jpg", "jpeg", "jpe", "jfif"};
constexpr const char* kPngExtensions[] = {"png"};
constexpr const char* kGifExtensions[] = {"gif"};
constexpr const char* kBmpExtensions[] = {"bmp", "dib", "rle"};
constexpr const char* kTiffExtensions[] = {"tif", "tiff"};
constexpr const char* kWebPExtensions[] = {"webp"};
constexpr const char* kHeifExtensions[] = {"heic", "heif"};
constexpr const char* kAvifExtensions[] = {"avif"};

// HEIF and AVIF share one reader; they are two entries so the dialog names
// them the way users know them.
constexpr Codec kCodecs[] = {
    {"JPEG-Bilder (*.jpg, *.jpeg)", kJpegExtensions, IsJpeg, false, DecodeJpeg},
    {"PNG-Bilder (*.png)", kPngExtensions, IsPng, false, DecodePng},
    {"GIF-Bilder (*.gif)", kGifExtensions, IsGif, false, DecodeGif},
    {"Windows-Bitmaps (*.bmp)", kBmpExtensions, IsBmp, true, DecodeBmp},
    {"TIFF-Bilder (*.tif, *.tiff)", kTiffExtensions, IsTiff, false, DecodeTiff},
    {"WebP-Bilder (*.webp)", kWebPExtensions, IsWebP, false, DecodeWebP},
    {"HEIF-Bilder (*.heic, *.heif)", kHeifExtensions, IsHeifFamily, false, DecodeHeif},
    {"AVIF-Bilder (*.avif)", kAvifExtensions, IsHeifFamily, false, DecodeHeif},
};

std::string Masks(const Codec& codec) {
  std::string masks;
  for (const char* extension : codec.extensions) {
    if (!masks.empty()) masks += ';';
    masks += "*.";
    masks += extension;
  }
  return masks;
}

}  // namespace

std::span<const Codec> Codecs() { return kCodecs; }

const Codec* FindCodec(FileBytes file, std::span<const Codec> codecs) {
  for (bool shortSignatures : {false, true}) {
    for (const Codec& codec : codecs) {
      if (codec.shortSignature == shortSignatures && codec.recognises(file)) return &codec;
    }
  }
  return nullptr;
}

std::string OpenFilterText(std::span<const Codec> codecs) {
  std::string all;
  std::string each;
  for (const Codec& codec : codecs) {
    const std::string masks = Masks(codec);
    if (!all.empty()) all += ';';
    all += masks;
    each.append("|").append(codec.filterName).append("|").append(masks);
  }
  std::string filter = "Alle Bilddateien|";
  return filter.append(all).append(each);
}

}  // namespace imaging::codecs
