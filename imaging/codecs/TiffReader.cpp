// TIFF decoding with libtiff, from memory. Grey pictures become 8-bit grey,
// all others 24-bit; alpha goes over white.
#include <algorithm>
#include <cstring>

#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/TiffRows.h"
#include "imaging/colour/SrgbConversion.h"

namespace imaging::codecs {
namespace {

struct MemoryFile {
  FileBytes file;
  toff_t position;
};

tmsize_t Read(thandle_t handle, void* target, tmsize_t length) {
  auto* m = static_cast<MemoryFile*>(handle);
  if (length < 0 || m->position > m->file.size) return 0;
  const size_t count = std::min(size_t(length), size_t(m->file.size - m->position));
  std::memcpy(target, m->file.data + m->position, count);
  m->position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t Write(thandle_t, void*, tmsize_t) { return 0; }

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  auto* m = static_cast<MemoryFile*>(handle);
  const toff_t base = whence == SEEK_CUR ? m->position : whence == SEEK_END ? m->file.size : 0;
  m->position = base + offset;
  return m->position;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t handle) { return static_cast<MemoryFile*>(handle)->file.size; }
// libtiff reads strips straight from the file's memory instead of copying them.
int Map(thandle_t handle, void** base, toff_t* size) {
  const FileBytes& file = static_cast<MemoryFile*>(handle)->file;
  *base = const_cast<uint8_t*>(file.data);
  *size = file.size;
  return 1;
}
void Unmap(thandle_t, void*, toff_t) {}

// libtiff would print to stderr; the user gets our German message instead.
void Silence() {
  static const bool silenced = [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  (void)silenced;
}

bool IsGrey(TIFF* tiff) {
  uint16_t samples = 1, photometric = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return false;
  return samples == 1 && (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE);
}

// The most bytes one stored byte can decode to, by compression scheme:
// PackBits 128 for 2, LZW 4096 for a 9-bit code, Deflate 1032, JPEG a few
// hundred (an 8 x 8 block in 2 bits); 0 for the fax codes, bounded by rows.
uint64_t Expansion(uint16_t compression) {
  switch (compression) {
    case COMPRESSION_NONE:
      return 1;
    case COMPRESSION_PACKBITS:
      return 64;
    case COMPRESSION_LZW:
      return 4096 * 8 / 9 + 1;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
      return 1032;
    case COMPRESSION_JPEG:
      return 1024;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
      return 0;
    default:
      return uint64_t{1} << 16;
  }
}

// False when the strips or tiles inside the file cannot hold the picture the
// header claims, so no memory is reserved for pixels that cannot arrive.
bool DataCanDeliver(TIFF* tiff, uint64_t fileSize, uint32_t width, uint32_t height) {
  uint16_t compression = COMPRESSION_NONE, samples = 1, bits = 1;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
  // Old-style JPEG may keep its data outside the strips it lists.
  if (compression == COMPRESSION_OJPEG) return true;
  uint64_t stored = 0;
  const uint32_t pieces = TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
  for (uint32_t i = 0; i < pieces; ++i) {
    const uint64_t offset = TIFFGetStrileOffset(tiff, i), count = TIFFGetStrileByteCount(tiff, i);
    if (offset < fileSize) stored += std::min(count, fileSize - offset);
  }
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  const uint64_t expansion = Expansion(compression);
  if (expansion == 0) return uint64_t{height} <= stored * 8;  // a fax row takes at least one bit
  const uint64_t decoded = (uint64_t{width} * samples * bits + 7) / 8 * height;
  return decoded <= stored * expansion;
}

void DecodeOpened(TIFF* tiff, uint64_t fileSize, Image& out, ProgressMeter& progress) {
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  const bool grey = IsGrey(tiff);
  if (const char* refusal = CheckDimensions(width, height, grey ? 8 : 24)) return Fail(out, refusal);
  char message[1024];
  TIFFRGBAImage rgba;
  if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&rgba, tiff, 1, message)) return Fail(out, kUnsupported);
  const bool possible = DataCanDeliver(tiff, fileSize, width, height);
  const ColourTable table = GreyTable();
  if (!possible) {
    Fail(out, kCorrupt);
  } else if (CreateImage(out, width, height, grey ? 8 : 24, grey ? &table.info : nullptr, grey ? 256 : 0)) {
    if (!(HasPlainRows(tiff) ? ReadPlainRows(tiff, *out, progress) : ReadRgbaRows(rgba, tiff, *out, grey, progress))) {
      Fail(out, kCorrupt);
    } else {
      uint32_t profileSize = 0;
      const uint8_t* profile = nullptr;
      if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &profileSize, &profile))
        colour::EmbeddedProfileToSrgb(*out, profile, profileSize);
    }
  }
  TIFFRGBAImageEnd(&rgba);
}

}  // namespace

void DecodeTiff(FileBytes file, Image& out, ProgressMeter& progress) {
  Silence();
  MemoryFile memory{file, 0};
  TIFF* tiff = TIFFClientOpen("picture", "r", &memory, Read, Write, Seek, Close, Size, Map, Unmap);
  if (!tiff) return Fail(out, kCorrupt);
  DecodeOpened(tiff, file.size, out, progress);
  TIFFClose(tiff);
}

}  // namespace imaging::codecs
