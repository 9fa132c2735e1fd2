#pragma once
// One album entry and the album picture list. Texts are Windows-1252.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace album {

struct AlbumPicture {
  std::string FileName;                // full path of the picture file
  uint8_t ShowComment = 1;             // print the comment on the detail page
  uint8_t Marked = 1;                  // check mark in the comment list; stored only
  std::optional<std::string> Comment;  // lines separated by CR LF; none differs from empty

  bool operator==(const AlbumPicture&) const = default;
};

// The list in album order; PictureCount is its size.
using AlbumPictures = std::vector<AlbumPicture>;

inline int32_t PictureCount(const AlbumPictures& pictures) { return static_cast<int32_t>(pictures.size()); }

}  // namespace album
