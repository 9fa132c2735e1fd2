#include "imaging/codecs/JpegErrors.h"

#include <jerror.h>

namespace imaging::codecs {
namespace {

// A real progressive picture has about ten scans; thousands of tiny ones are
// a crafted file that would keep the decoder busy for minutes.
constexpr int kMaxScans = 500;

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

// Coded data running out before the picture is complete would otherwise
// decode as grey filler and count as read. For a single-scan file the end of
// the file alone is no loss (only the end marker is missing); a progressive
// file ending early lacks whole refinement scans, so that is refused too.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  const bool progressive = cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->progressive_mode;
  if (code == JWRN_HIT_MARKER || (code == JWRN_JPEG_EOF && progressive)) JumpBack(cinfo);
}

void Quiet(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  auto* progress = reinterpret_cast<JpegProgress*>(cinfo->progress);
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    cinfo->err->msg_code = JERR_BAD_SCAN_SCRIPT;
    JumpBack(cinfo);
  }
  const jpeg_progress_mgr& p = progress->pub;
  const long passes = p.total_passes > 0 ? p.total_passes : 1;
  const long withinPass = p.pass_limit > 0 ? p.pass_counter * 100 / p.pass_limit : 0;
  progress->meter->Report(static_cast<int>((p.completed_passes * 100 + withinPass) / passes));
}

}  // namespace

jpeg_error_mgr* InstallJpegErrors(JpegErrorManager* manager) {
  jpeg_error_mgr* err = jpeg_std_error(&manager->pub);
  err->error_exit = JumpBack;
  err->emit_message = OnMessage;
  err->output_message = Quiet;
  return err;
}

void InstallJpegProgress(j_common_ptr cinfo, JpegProgress* progress) {
  progress->pub.progress_monitor = OnProgress;
  cinfo->progress = &progress->pub;
}

}  // namespace imaging::codecs
