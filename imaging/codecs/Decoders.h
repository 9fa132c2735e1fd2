#pragma once
// One decoder per file format, each named by its entry in CodecTable.cpp.
// Each fills `out` with a new image or leaves Pixels nil with a German
// message in ErrorText; none reads outside `file`.
#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

void DecodeBmp(FileBytes file, Image& out, ProgressMeter& progress);
void DecodeJpeg(FileBytes file, Image& out, ProgressMeter& progress);
void DecodePng(FileBytes file, Image& out, ProgressMeter& progress);
void DecodeGif(FileBytes file, Image& out, ProgressMeter& progress);
void DecodeTiff(FileBytes file, Image& out, ProgressMeter& progress);
void DecodeWebP(FileBytes file, Image& out, ProgressMeter& progress);
void DecodeHeif(FileBytes file, Image& out, ProgressMeter& progress);  // HEIC, AVIF and kin

// Recognises and decodes a whole file held in memory: OpenDib without the
// disk. What `out` held is freed first.
void DecodePicture(FileBytes file, Image& out, ProgressMeter& progress);

}  // namespace imaging::codecs
