#include "imaging/codecs/TiffRows.h"

#include <algorithm>
#include <vector>

namespace imaging::codecs {
namespace {

bool CommonCompression(uint16_t compression) {
  return compression == COMPRESSION_NONE || compression == COMPRESSION_LZW || compression == COMPRESSION_PACKBITS ||
         compression == COMPRESSION_DEFLATE || compression == COMPRESSION_ADOBE_DEFLATE;
}

// Rows are read a few strips or tiles at a time, so besides the picture
// only about a megabyte of RGBA raster is ever held.
uint32_t RowsPerChunk(TIFF* tiff, uint32_t width, uint32_t height) {
  uint32_t unit = 0;
  if (TIFFIsTiled(tiff))
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
  else
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
  unit = std::clamp<uint32_t>(unit, 1, height);
  const uint32_t units = std::max<uint32_t>(1, uint32_t((size_t{1} << 20) / (size_t{width} * 4 * unit)));
  return uint32_t(std::min<uint64_t>(uint64_t{unit} * units, height));
}

void CopyRow(const uint32_t* source, uint8_t* row, uint32_t width, bool grey) {
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

// Files stored bottom-up come out of each chunk mirrored top to bottom.
bool StoredBottomUp(const TIFFRGBAImage& rgba) {
  const uint16_t o = rgba.orientation;
  return o == ORIENTATION_BOTRIGHT || o == ORIENTATION_BOTLEFT || o == ORIENTATION_RIGHTBOT || o == ORIENTATION_LEFTBOT;
}

}  // namespace

bool ReadRgbaRows(TIFFRGBAImage& rgba, TIFF* tiff, const RasterImage& image, bool grey, ProgressMeter& progress) {
  const uint32_t width = rgba.width, height = rgba.height;
  const uint32_t rowsPerChunk = RowsPerChunk(tiff, width, height);
  std::vector<uint32_t> raster(size_t{width} * rowsPerChunk);
  rgba.req_orientation = ORIENTATION_TOPLEFT;
  for (uint32_t first = 0; first < height; first += rowsPerChunk) {
    const uint32_t rows = std::min(rowsPerChunk, height - first);
    rgba.row_offset = static_cast<int>(first);
    if (!TIFFRGBAImageGet(&rgba, raster.data(), width, rows)) return false;
    for (uint32_t i = 0; i < rows; ++i) {
      const int64_t y = StoredBottomUp(rgba) ? int64_t{height} - first - rows + i : int64_t{first} + i;
      CopyRow(raster.data() + size_t{i} * width, TopDownRow(image, y), width, grey);
    }
    progress.Fraction(first + rows, height);
  }
  return true;
}

bool HasPlainRows(TIFF* tiff) {
  uint16_t bits = 0, samples = 0, planar = 0, orientation = 0, compression = 0, photometric = 0, extras = 0;
  uint16_t* extraKinds = nullptr;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extras, &extraKinds);
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return false;
  const bool rgb = photometric == PHOTOMETRIC_RGB && samples == 3;
  const bool grey = (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) && samples == 1;
  return !TIFFIsTiled(tiff) && bits == 8 && planar == PLANARCONFIG_CONTIG && orientation == ORIENTATION_TOPLEFT &&
         extras == 0 && CommonCompression(compression) && (rgb || grey);
}

bool ReadPlainRows(TIFF* tiff, const RasterImage& image, ProgressMeter& progress) {
  uint16_t photometric = 0;
  TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
  const int64_t width = DibWidth(image), height = DibHeight(image);
  const bool grey = DibBitCount(image) == 8;
  std::vector<uint8_t> row(size_t(std::max<int64_t>(TIFFScanlineSize64(tiff), width * 3)));
  for (int64_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tiff, row.data(), uint32_t(y), 0) < 0) return false;
    uint8_t* target = TopDownRow(image, y);
    if (grey && photometric == PHOTOMETRIC_MINISWHITE) {
      for (int64_t x = 0; x < width; ++x) target[x] = static_cast<uint8_t>(255 - row[size_t(x)]);
    } else if (grey) {
      std::copy_n(row.data(), width, target);
    } else {
      for (int64_t x = 0; x < width; ++x) {
        target[3 * x] = row[size_t(3 * x + 2)];
        target[3 * x + 1] = row[size_t(3 * x + 1)];
        target[3 * x + 2] = row[size_t(3 * x)];
      }
    }
    progress.Fraction(y + 1, height);
  }
  return true;
}

}  // namespace imaging::codecs
