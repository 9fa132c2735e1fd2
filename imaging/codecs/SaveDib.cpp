// SaveDib: encodes in memory, then replaces the target in one step, so a
// failure never leaves half a file behind.
#include <cstdlib>
#include <string>
#include <string_view>

#include "imaging/codecs/JpegWriter.h"
#include "platform/SafeFile.h"

int32_t SaveDib(RasterImage image, const char* fileName, int32_t format, platform::ProgressReceiver* window) {
  codecs::ProgressMeter progress(window);
  progress.Report(0);
  bool saved = false;
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  if (format == kFormatJpeg && fileName && codecs::EncodeJpeg(image, progress, &bytes, &size)) {
    saved = platform::WriteFileAtomically(fileName, std::string_view(reinterpret_cast<const char*>(bytes), size),
                                          platform::Durability::Regenerable);
  }
  std::free(bytes);
  progress.Report(100);
  return saved ? 1 : 0;
}
