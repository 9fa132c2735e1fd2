#pragma once
// The album's JSON form, shared by "show --json" and "new --json":
// {"pictures": [{"file", "comment" (null for none), "show_comment", "marked"}],
//  "settings": {"caption", "free_text", "detail_caption", "per_row", "thumb_width",
//               "thumb_height", "border", "detail_border", "bgcolor", "bgcolor2"}}
// JSON texts are UTF-8; the album holds Windows-1252, so text that code page
// cannot hold is refused rather than stored with '?'.
#include <nlohmann/json.hpp>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"

namespace cli {

// Keys keep the order they are written in, so the output reads as documented.
using Json = nlohmann::ordered_json;

Json AlbumToJson(const album::AlbumPictures& pictures, const album::AlbumSettings& settings);

// Fills `pictures` and `settings` from a JSON document. Missing settings keep
// the values `settings` has; missing flags are set; relative file names are
// made absolute against the working folder; numbers are brought into their
// range. False with a German message in `error` when the document does not
// have this form or holds text Windows-1252 cannot hold.
bool AlbumFromJson(const Json& document, album::AlbumPictures& pictures, album::AlbumSettings& settings,
                   std::string& error);

}  // namespace cli
