// JPEG encoding with libjpeg-turbo, straight from the bottom-up DIB rows.
// Standard Huffman tables: optimised ones cost about half again the time
// and a buffer of the whole picture's coefficients for files about 3 %
// smaller.
#include "imaging/codecs/JpegWriter.h"

#include <jerror.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "imaging/PixelRows.h"
#include "imaging/codecs/JpegErrors.h"

namespace imaging::codecs {
namespace {

// One row of 4:2:0 MCUs: what libjpeg compresses at a time.
constexpr int kRowsPerWrite = 16;

// libjpeg's destination writing into a JpegBuffer that grows by doubling.
struct BufferDestination {
  jpeg_destination_mgr pub;
  JpegBuffer* buffer;
};

void StartBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer->storage();
  dest->pub.free_in_buffer = dest->buffer->capacity();
}

boolean GrowBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
  const size_t used = dest->buffer->capacity();
  if (!dest->buffer->Reserve(used * 2)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  dest->pub.next_output_byte = dest->buffer->storage() + used;
  dest->pub.free_in_buffer = dest->buffer->capacity() - used;
  return TRUE;
}

void FinishBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<BufferDestination*>(cinfo->dest);
  dest->buffer->SetSize(dest->buffer->capacity() - dest->pub.free_in_buffer);
}

struct JpegEncodeJob {
  jpeg_compress_struct cinfo;
  JpegErrorManager error;
  JpegProgress progress;
  BufferDestination destination;
  uint8_t* converted;  // a batch of rows for depths libjpeg cannot take directly
};

bool TakesRowsDirectly(int bits) { return bits == 24 || bits == 32; }

// Points `rows` at the next batch of picture rows, counted from the top.
JDIMENSION NextBatch(JpegEncodeJob* job, const RasterImage& image, JSAMPROW* rows) {
  const j_compress_ptr cinfo = &job->cinfo;
  const JDIMENSION first = cinfo->next_scanline;
  const JDIMENSION count = std::min<JDIMENSION>(kRowsPerWrite, cinfo->image_height - first);
  const size_t convertedStride = size_t(cinfo->image_width) * 3;
  for (JDIMENSION i = 0; i < count; ++i) {
    const int32_t memoryRow = static_cast<int32_t>(cinfo->image_height - 1 - (first + i));
    if (job->converted) {
      rows[i] = job->converted + i * convertedStride;
      RowToBgr(image, memoryRow, rows[i]);
    } else {
      rows[i] = image.Pixels + int64_t{memoryRow} * image.Stride;
    }
  }
  return count;
}

bool RunEncode(JpegEncodeJob* job, const RasterImage& image, int quality) {
  j_compress_ptr cinfo = &job->cinfo;
  if (setjmp(job->error.jump)) return false;
  jpeg_create_compress(cinfo);
  InstallJpegProgress(reinterpret_cast<j_common_ptr>(cinfo), &job->progress);
  job->destination.pub.init_destination = StartBuffer;
  job->destination.pub.empty_output_buffer = GrowBuffer;
  job->destination.pub.term_destination = FinishBuffer;
  cinfo->dest = &job->destination.pub;
  const int bits = static_cast<int>(DibBitCount(image));
  cinfo->image_width = static_cast<JDIMENSION>(DibWidth(image));
  cinfo->image_height = static_cast<JDIMENSION>(DibHeight(image));
  cinfo->input_components = bits == 32 ? 4 : 3;
  cinfo->in_color_space = bits == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW rows[kRowsPerWrite];
    const JDIMENSION count = NextBatch(job, image, rows);
    jpeg_write_scanlines(cinfo, rows, count);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

// A first guess at the file size: a q90 photo takes about 3 bits a pixel.
size_t FirstCapacity(const RasterImage& image) {
  return std::max<size_t>(size_t{64} << 10, size_t(DibWidth(image)) * size_t(DibHeight(image)) * 3 / 8);
}

}  // namespace

JpegBuffer::~JpegBuffer() { std::free(bytes_); }

bool JpegBuffer::Reserve(size_t capacity) {
  if (capacity <= capacity_) return true;
  auto* grown = static_cast<unsigned char*>(std::realloc(bytes_, capacity));
  if (!grown) return false;
  bytes_ = grown;
  capacity_ = capacity;
  return true;
}

unsigned char* JpegBuffer::Release() {
  unsigned char* bytes = bytes_;
  bytes_ = nullptr;
  capacity_ = size_ = 0;
  return bytes;
}

bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, JpegBuffer& out, int quality) {
  out.SetSize(0);
  if (!HasReadableRows(image) || !out.Reserve(FirstCapacity(image))) return false;
  JpegEncodeJob job;
  std::memset(&job, 0, sizeof job);
  job.cinfo.err = InstallJpegErrors(&job.error);
  job.progress.meter = &progress;
  job.destination.buffer = &out;
  if (!TakesRowsDirectly(static_cast<int>(DibBitCount(image)))) {
    job.converted = static_cast<uint8_t*>(std::malloc(size_t(DibWidth(image)) * 3 * kRowsPerWrite));
    if (!job.converted) return false;
  }
  const bool encoded = RunEncode(&job, image, quality);
  jpeg_destroy_compress(&job.cinfo);
  std::free(job.converted);
  if (!encoded) out.SetSize(0);
  return encoded;
}

bool EncodeJpeg(const RasterImage& image, ProgressMeter& progress, unsigned char** bytes, unsigned long* size,
                int quality) {
  *bytes = nullptr;
  *size = 0;
  JpegBuffer buffer;
  if (!EncodeJpeg(image, progress, buffer, quality)) return false;
  *size = buffer.size();
  *bytes = buffer.Release();
  return true;
}

}  // namespace imaging::codecs
