#pragma once
// Saving and opening album files, with the program's error boxes.
#include <optional>
#include <string>

#include "album/AlbumPicture.h"
#include "album/AlbumSettings.h"
#include "platform/Messages.h"

namespace album {

// Writes the album to `path` without ever leaving a half-written file: on
// any failure the save error box is shown, the previous file stays intact
// and false is returned. The caller then keeps its SavedFileName.
bool SaveFile(const std::string& path, const AlbumPictures& pictures, const AlbumSettings& settings,
              platform::Messages& messages);

// Reads the album from `path`. Only a complete, valid file replaces
// `pictures` and the stored settings (the backlink stays as it is); on
// failure the open error or not-valid box is shown, nothing changes and
// false is returned.
bool OpenFile(const std::string& path, AlbumPictures& pictures, AlbumSettings& settings, platform::Messages& messages);

// Setsavedfilename's window caption for the album file last saved or
// opened, or for an unsaved album.
std::string AlbumWindowCaption(const std::optional<std::string>& savedFileName);

// The error texts, in Windows-1252, for callers that report elsewhere.
std::string SaveErrorText(const std::string& path);
std::string OpenErrorText(const std::string& path);
inline constexpr const char* kNotAnAlbumFileText = "Die Datei ist keine g\xFCltige \"Web Lumivista 1\"-Datei!";

}  // namespace album
