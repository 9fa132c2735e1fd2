// SaveDib: encodes in memory, then replaces the target in one step, so a
// failure never leaves half a file behind.
#include <cstdlib>
#include <string>
#include <string_view>

#include "imaging/codecs/JpegWriter.h"
#include "platform/SafeFile.h"

namespace imaging {

namespace {

// Each thread keeps its output buffer for the next picture unless a huge
// picture made it larger than a photo needs.
constexpr size_t kLargestKeptOutput = size_t{32} << 20;

}  // namespace

int32_t SaveDib(const RasterImage& image, const char* fileName, int32_t format, platform::ProgressReceiver* window) {
  codecs::ProgressMeter progress(window);
  progress.Report(0);
  bool saved = false;
  thread_local codecs::JpegBuffer output;
  if (format == kFormatJpeg && fileName && codecs::EncodeJpeg(image, progress, output)) {
    saved = platform::WriteFileAtomically(fileName,
                                          std::string_view(reinterpret_cast<const char*>(output.data()), output.size()),
                                          platform::Durability::Regenerable);
  }
  if (output.capacity() > kLargestKeptOutput) std::free(output.Release());
  progress.Report(100);
  return saved ? 1 : 0;
}

}  // namespace imaging
