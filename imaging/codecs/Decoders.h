#pragma once
// One decoder per file format. Each fills `out` with a new image or leaves
// Pixels nil with a German message in ErrorText; none reads outside `file`.
#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

enum class FileFormat { Unknown, Bmp, Jpeg, Png, Gif, Tiff, WebP, Heif };

// Recognises the format by the file's first bytes, never by its name.
FileFormat SniffFormat(FileBytes file);

void DecodeBmp(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodeJpeg(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodePng(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodeGif(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodeTiff(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodeWebP(FileBytes file, RasterImage* out, ProgressMeter& progress);
void DecodeHeif(FileBytes file, RasterImage* out, ProgressMeter& progress);  // HEIC, AVIF and kin

// Sniffs and decodes a whole file held in memory: OpenDib without the disk.
void DecodePicture(FileBytes file, RasterImage* out, ProgressMeter& progress);

}  // namespace imaging::codecs
