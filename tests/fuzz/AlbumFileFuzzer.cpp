// libFuzzer target: every byte string goes through the album file reader. An
// album it accepts must survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "album/AlbumFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string albumPath = "/alben/urlaub.lva";
  const auto album = album::DecodeAlbumFile(bytes, albumPath, album::AlbumSettings{});
  if (!album) return 0;
  const auto written = album::EncodeAlbumFile(album->Pictures, album->Settings, albumPath);
  if (!written) return 0;
  const auto again = album::DecodeAlbumFile(*written, albumPath, album::AlbumSettings{});
  if (!again || again->Pictures != album->Pictures || !(again->Settings == album->Settings)) std::abort();
  return 0;
}
