// TIFF decoding with libtiff's RGBA interface, from memory. Grey pictures
// become 8-bit grey, all others 24-bit; alpha goes over white.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <tiffio.h>

#include "imaging/codecs/Decoders.h"
#include "imaging/colour/SrgbConversion.h"

namespace codecs {
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
int Map(thandle_t, void**, toff_t*) { return 0; }
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

// The RGBA raster is bottom-up already, like the DIB.
void CopyRaster(const uint32_t* raster, RasterImage* out, uint32_t width, uint32_t height, bool grey) {
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = out->Pixels + int64_t{y} * out->Stride;
    const uint32_t* source = raster + size_t{y} * width;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t p = source[x];
      const unsigned alpha = TIFFGetA(p);
      if (grey) {
        row[x] = OverWhite(TIFFGetR(p), alpha);
        continue;
      }
      row[3 * x] = OverWhite(TIFFGetB(p), alpha);
      row[3 * x + 1] = OverWhite(TIFFGetG(p), alpha);
      row[3 * x + 2] = OverWhite(TIFFGetR(p), alpha);
    }
  }
}

void DecodeOpened(TIFF* tiff, RasterImage* out, ProgressMeter& progress) {
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  const bool grey = IsGrey(tiff);
  if (const char* refusal = CheckDimensions(width, height, grey ? 8 : 24)) return Fail(out, refusal);
  char message[1024];
  if (!TIFFRGBAImageOK(tiff, message)) return Fail(out, kUnsupported);
  auto* raster = static_cast<uint32_t*>(std::malloc(size_t{width} * height * sizeof(uint32_t)));
  if (!raster) return Fail(out, kOutOfMemory);
  progress.Report(10);
  if (!TIFFReadRGBAImageOriented(tiff, width, height, raster, ORIENTATION_BOTLEFT, 1)) {
    std::free(raster);
    return Fail(out, kCorrupt);
  }
  progress.Report(90);
  const ColourTable table = GreyTable();
  if (CreateImage(out, width, height, grey ? 8 : 24, grey ? &table.info : nullptr, grey ? 256 : 0)) {
    CopyRaster(raster, out, width, height, grey);
    uint32_t profileSize = 0;
    const uint8_t* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &profileSize, &profile)) colour::EmbeddedProfileToSrgb(*out, profile, profileSize);
  }
  std::free(raster);
}

}  // namespace

void DecodeTiff(FileBytes file, RasterImage* out, ProgressMeter& progress) {
  Silence();
  MemoryFile memory{file, 0};
  TIFF* tiff = TIFFClientOpen("picture", "rm", &memory, Read, Write, Seek, Close, Size, Map, Unmap);
  if (!tiff) return Fail(out, kCorrupt);
  DecodeOpened(tiff, out, progress);
  TIFFClose(tiff);
}

}  // namespace codecs
