// JPEG decoding with libjpeg-turbo, straight into the bottom-up DIB rows.
#include <jerror.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/ExifOrientation.h"
#include "imaging/codecs/JpegErrors.h"
#include "imaging/colour/SrgbConversion.h"

namespace imaging::codecs {
namespace {

constexpr int kRowsPerRead = 16;

// Everything the setjmp function touches lives here, in the caller's frame,
// so its values survive the jump.
struct JpegDecodeJob {
  jpeg_decompress_struct cinfo;
  JpegErrorManager error;
  JpegProgress progress;
  Image image;
  uint8_t* cmykRows;  // kRowsPerRead rows of 4 bytes per pixel
  const char* refusal;
  int orientation;
  JOCTET* profile;  // embedded ICC profile, malloc'd by libjpeg
  unsigned int profileSize;
};

void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, JDIMENSION width, bool adobeInverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!adobeInverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

int FindOrientation(j_decompress_ptr cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next) {
    if (m->marker != JPEG_APP0 + 1) continue;
    const int orientation = ExifOrientation(m->data, m->data_length);
    if (orientation != 1) return orientation;
  }
  return 1;
}

// False when libjpeg stops delivering rows, which a memory source never
// should; a loop waiting for them would never end. CMYK rows arrive in a
// batch buffer and are converted into the image afterwards.
bool ReadRows(JpegDecodeJob* job) {
  j_decompress_ptr cinfo = &job->cinfo;
  const bool cmyk = cinfo->out_color_space == JCS_CMYK;
  const size_t cmykStride = size_t{cinfo->output_width} * 4;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW rows[kRowsPerRead];
    const JDIMENSION first = cinfo->output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(kRowsPerRead, cinfo->output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) {
      rows[i] = cmyk ? job->cmykRows + i * cmykStride : TopDownRow(*job->image, first + i);
    }
    const JDIMENSION read = jpeg_read_scanlines(cinfo, rows, count);
    if (read == 0) return false;
    for (JDIMENSION i = 0; cmyk && i < read; ++i) {
      CmykToBgr(rows[i], TopDownRow(*job->image, first + i), cinfo->output_width, cinfo->saw_Adobe_marker);
    }
  }
  return true;
}

// A Huffman-coded 8 x 8 block takes at least one bit in its first scan, so
// a file holds at most 512 pixels a byte; a frame claiming more is refused
// before memory is reserved for it. Arithmetic coding has no such bound.
bool DataCanDeliver(j_decompress_ptr cinfo, FileBytes file) {
  if (cinfo->arith_code) return true;
  return uint64_t{cinfo->image_width} * cinfo->image_height <= uint64_t{file.size} * 512;
}

const char* MessageFor(int libjpegCode) {
  if (libjpegCode == JERR_OUT_OF_MEMORY) return kOutOfMemory;
  if (libjpegCode == JERR_IMAGE_TOO_BIG) return kTooLarge;
  if (libjpegCode == JERR_BAD_PRECISION) return kUnsupported;  // 12-bit samples
  return kCorrupt;
}

// Returns false on failure; `job->refusal` then says why unless libjpeg
// itself gave up (jumped back).
bool RunDecode(JpegDecodeJob* job, FileBytes file) {
  j_decompress_ptr cinfo = &job->cinfo;
  if (setjmp(job->error.jump)) return false;
  jpeg_create_decompress(cinfo);
  InstallJpegProgress(reinterpret_cast<j_common_ptr>(cinfo), &job->progress);
  jpeg_mem_src(cinfo, file.data, static_cast<unsigned long>(file.size));
  jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(cinfo, TRUE);
  job->orientation = FindOrientation(cinfo);
  jpeg_read_icc_profile(cinfo, &job->profile, &job->profileSize);

  int bits = 24;
  if (cinfo->jpeg_color_space == JCS_GRAYSCALE) {
    cinfo->out_color_space = JCS_GRAYSCALE;
    bits = 8;
  } else if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) {
    cinfo->out_color_space = JCS_CMYK;
  } else {
    cinfo->out_color_space = JCS_EXT_BGR;
  }
  job->refusal = CheckDimensions(cinfo->image_width, cinfo->image_height, bits);
  if (!job->refusal && !DataCanDeliver(cinfo, file)) job->refusal = kCorrupt;
  if (job->refusal) return false;
  jpeg_start_decompress(cinfo);

  const ColourTable grey = GreyTable();
  if (!CreateImage(job->image, cinfo->output_width, cinfo->output_height, bits, bits == 8 ? &grey.info : nullptr,
                   bits == 8 ? 256 : 0)) {
    job->refusal = kOutOfMemory;
    return false;
  }
  if (cinfo->out_color_space == JCS_CMYK) {
    job->cmykRows = static_cast<uint8_t*>(std::malloc(size_t{cinfo->output_width} * 4 * kRowsPerRead));
    if (!job->cmykRows) {
      job->refusal = kOutOfMemory;
      return false;
    }
  }
  if (!ReadRows(job)) {
    job->refusal = kCorrupt;
    return false;
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

void DecodeJpeg(FileBytes file, Image& out, ProgressMeter& progress) {
  JpegDecodeJob job{};
  job.cinfo.err = InstallJpegErrors(&job.error);
  job.progress.meter = &progress;
  const bool decoded = RunDecode(&job, file);
  const int code = job.error.pub.msg_code;
  jpeg_destroy_decompress(&job.cinfo);
  std::free(job.cmykRows);
  if (decoded) colour::EmbeddedProfileToSrgb(*job.image, job.profile, job.profileSize);
  std::free(job.profile);
  if (!decoded) {
    Fail(out, job.refusal ? job.refusal : MessageFor(code));
    return;
  }
  ApplyOrientation(job.image, job.orientation);
  out = std::move(job.image);
}

}  // namespace imaging::codecs
