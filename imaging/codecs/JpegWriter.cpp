// JPEG encoding with libjpeg-turbo, straight from the bottom-up DIB rows.
#include "imaging/codecs/JpegWriter.h"

#include <cstdlib>
#include <cstring>

#include "imaging/PixelRows.h"
#include "imaging/codecs/JpegErrors.h"

namespace codecs {
namespace {

constexpr int kQuality = 90;

struct JpegEncodeJob {
  jpeg_compress_struct cinfo;
  JpegErrorManager error;
  JpegProgress progress;
  unsigned char* bytes;
  unsigned long size;
  uint8_t* converted;  // one row for depths libjpeg cannot take directly
};

bool TakesRowsDirectly(int bits) { return bits == 24 || bits == 32; }

bool RunEncode(JpegEncodeJob* job, const RasterImage& image) {
  j_compress_ptr cinfo = &job->cinfo;
  if (setjmp(job->error.jump)) return false;
  jpeg_create_compress(cinfo);
  InstallJpegProgress(reinterpret_cast<j_common_ptr>(cinfo), &job->progress);
  jpeg_mem_dest(cinfo, &job->bytes, &job->size);
  const int bits = static_cast<int>(DibBitCount(image));
  cinfo->image_width = static_cast<JDIMENSION>(DibWidth(image));
  cinfo->image_height = static_cast<JDIMENSION>(DibHeight(image));
  cinfo->input_components = bits == 32 ? 4 : 3;
  cinfo->in_color_space = bits == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, kQuality, TRUE);
  cinfo->optimize_coding = TRUE;
  jpeg_start_compress(cinfo, TRUE);
  while (cinfo->next_scanline < cinfo->image_height) {
    const int32_t memoryRow = static_cast<int32_t>(cinfo->image_height - 1 - cinfo->next_scanline);
    JSAMPROW row = job->converted;
    if (job->converted) RowToBgr(image, memoryRow, job->converted);
    else row = image.Pixels + int64_t{memoryRow} * image.Stride;
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

}  // namespace

bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, unsigned char** bytes, unsigned long* size) {
  *bytes = nullptr;
  *size = 0;
  if (!HasReadableRows(image)) return false;
  JpegEncodeJob job;
  std::memset(&job, 0, sizeof job);
  job.cinfo.err = InstallJpegErrors(&job.error);
  job.progress.meter = &progress;
  if (!TakesRowsDirectly(static_cast<int>(DibBitCount(image)))) {
    job.converted = static_cast<uint8_t*>(std::malloc(size_t(DibWidth(image)) * 3));
    if (!job.converted) return false;
  }
  const bool encoded = RunEncode(&job, image);
  jpeg_destroy_compress(&job.cinfo);
  std::free(job.converted);
  if (!encoded) {
    std::free(job.bytes);
    return false;
  }
  *bytes = job.bytes;
  *size = job.size;
  return true;
}

}  // namespace codecs
