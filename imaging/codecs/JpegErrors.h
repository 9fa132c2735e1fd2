#pragma once
// libjpeg reports fatal errors by calling error_exit, which must not return:
// ours jumps back to the setjmp of the one function that drives the codec.
// Only plain C structs live across that jump.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
// jpeglib.h uses size_t and FILE without declaring them.
#include <jpeglib.h>

#include "imaging/codecs/DecodeSupport.h"

namespace imaging::codecs {

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Installs the jumping error handler; messages are never printed.
jpeg_error_mgr* InstallJpegErrors(JpegErrorManager* manager);

// Bridges libjpeg's progress monitor to our meter.
struct JpegProgress {
  jpeg_progress_mgr pub;
  ProgressMeter* meter;
};

// Hooks `progress`, whose meter the caller has set, into the codec.
void InstallJpegProgress(j_common_ptr cinfo, JpegProgress* progress);

}  // namespace imaging::codecs
