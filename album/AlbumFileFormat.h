#pragma once
// The byte layout of the album file (.lva): a 25-byte header, the picture
// count, one record per picture, then the stored settings. Integers are
// 32-bit little-endian; a text is its byte count followed by its bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"

namespace album {

inline constexpr std::string_view kAlbumFileHeader = "Vendrix Web Lumivista 1.0";

// The file's bytes for an album saved as `albumPath`: pictures lying in the
// album file's own folder are stored by their bare name. None when a text is
// too long for its 32-bit length.
std::optional<std::string> EncodeAlbumFile(const AlbumPictures& pictures, const AlbumSettings& settings,
                                           const std::string& albumPath);

struct LoadedAlbum {
  AlbumPictures Pictures;
  AlbumSettings Settings;
};

// The album file's bytes in order, taken as the reader needs them, so that
// reading stops after the last field: trailing bytes are never read.
class AlbumByteSource {
 public:
  virtual ~AlbumByteSource() = default;
  // All bytes the file has, read or not.
  virtual uint64_t Size() const = 0;
  // The next `count` bytes; false when they cannot be read.
  virtual bool Read(char* target, size_t count) = 0;
};

// Parses an album file read from `albumPath`. Bare names get the album
// file's folder in front; whole-number settings are brought into range.
// Settings the file does not hold (the backlink, and the second background
// colour of a file that ends after the detail caption) come from `current`.
// None when the header differs or the file is cut short or inconsistent.
std::optional<LoadedAlbum> DecodeAlbumFile(AlbumByteSource& source, const std::string& albumPath,
                                           const AlbumSettings& current);
// The same for a file held in memory.
std::optional<LoadedAlbum> DecodeAlbumFile(std::string_view bytes, const std::string& albumPath,
                                           const AlbumSettings& current);

}  // namespace album
